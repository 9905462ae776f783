#include "app/ui/about_box.hpp"

#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "app/ui/widget_style.hpp"

namespace tab::ui {

TInfoBox_ZR::TInfoBox_ZR(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("InfoBox_ZR"));
  setWindowTitle(QStringLiteral("Info"));
  setFixedSize(382, 259);

  auto* panel = new QFrame(this);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Sunken);

  auto* icon = new QLabel(panel);
  icon->setPixmap(style()->standardIcon(QStyle::SP_FileDialogDetailedView).pixmap(48, 48));
  auto* product = new QLabel(QStringLiteral("Tabellario"), panel);
  QFont large = product->font();
  large.setBold(true);
  large.setPointSizeF(large.pointSizeF() * 1.6);
  product->setFont(large);
  auto* version = new QLabel(QStringLiteral("Berufsschule     V.1.8."), panel);
  auto* forLabel = new QLabel(QStringLiteral("für"), panel);
  auto* state = new QLabel(QStringLiteral("Mecklenburg-Vorpommern"), panel);
  for (QLabel* label : {product, version, forLabel, state}) {
    label->setTextFormat(Qt::PlainText);
    label->setObjectName(QStringLiteral("AboutLine"));
  }

  auto* texts = new QVBoxLayout;
  texts->addWidget(product);
  texts->addWidget(version);
  texts->addSpacing(8);
  texts->addWidget(forLabel);
  texts->addWidget(state);
  texts->addStretch(1);
  auto* panelLayout = new QHBoxLayout(panel);
  panelLayout->addWidget(icon, 0, Qt::AlignTop);
  panelLayout->addSpacing(12);
  panelLayout->addLayout(texts, 1);

  auto* ok = new QPushButton(QStringLiteral("OK"), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(panel, 1);
  layout->addWidget(ok, 0, Qt::AlignHCenter);
}

void TInfoBox_ZR::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOnScreen(this);
}

}  // namespace tab::ui
