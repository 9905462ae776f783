#include "app/ui/help_window.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QScrollBar>
#include <QSplitter>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <algorithm>

#include "records/file_names.hpp"
#include "records/text.hpp"

namespace tab::ui {

HelpWindow::HelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  setObjectName(QStringLiteral("HelpWindow"));
  setWindowTitle(QStringLiteral("Tabellario - Hilfe"));
  resize(760, 560);

  auto* side = new QWidget(this);
  auto* label = new QLabel(QStringLiteral("Suchbegriff:"), side);
  search_ = new QLineEdit(side);
  list_ = new QListWidget(side);
  label->setBuddy(search_);
  auto* sideLayout = new QVBoxLayout(side);
  sideLayout->setContentsMargins(0, 0, 0, 0);
  sideLayout->addWidget(label);
  sideLayout->addWidget(search_);
  sideLayout->addWidget(list_, 1);

  browser_ = new QTextBrowser(this);
  browser_->setOpenExternalLinks(false);

  auto* splitter = new QSplitter(this);
  splitter->addWidget(side);
  splitter->addWidget(browser_);
  splitter->setStretchFactor(1, 1);
  splitter->setSizes({200, 560});
  auto* layout = new QHBoxLayout(this);
  layout->addWidget(splitter);

  connect(search_, &QLineEdit::textChanged, this, &HelpWindow::FilterIndex);
  connect(search_, &QLineEdit::returnPressed, this, &HelpWindow::OpenEntry);
  connect(list_, &QListWidget::itemActivated, this, &HelpWindow::OpenEntry);
  connect(list_, &QListWidget::itemClicked, this, &HelpWindow::OpenEntry);
}

QString HelpWindow::ContextAnchor(int context) {
  return QStringLiteral("kontext-%1").arg(context);
}

bool HelpWindow::Load(const QString& path) {
  if (loaded_ && path == path_) return true;
  // Read as every file of the program is: a named pipe or a device in its place is not waited on.
  std::string content;
  if (ReadWholeFile(path.toStdString(), content) != 0) return false;
  const QByteArray bytes = QByteArray::fromStdString(content);
  // Our help is UTF-8; an older file in the Windows code page is read as that.
  QStringDecoder utf8(QStringDecoder::Utf8);
  QString html = utf8(bytes);
  if (utf8.hasError()) html = QString::fromStdString(Win1252ToUtf8(bytes.toStdString()));
  browser_->setHtml(html);
  path_ = path;
  loaded_ = true;
  BuildIndex();
  FilterIndex(search_->text());
  return true;
}

void HelpWindow::BuildIndex() {
  index_.clear();
  for (QTextBlock block = browser_->document()->begin(); block.isValid(); block = block.next()) {
    if (block.blockFormat().headingLevel() == 0) continue;
    QString anchor;
    for (auto it = block.begin(); !it.atEnd() && anchor.isEmpty(); ++it) {
      const QStringList names = it.fragment().charFormat().anchorNames();
      if (!names.isEmpty()) anchor = names.front();
    }
    if (!anchor.isEmpty()) index_.push_back({block.text().trimmed(), anchor});
  }
  std::stable_sort(index_.begin(), index_.end(), [](const IndexEntry& a, const IndexEntry& b) {
    return QString::localeAwareCompare(a.text, b.text) < 0;
  });
}

void HelpWindow::FilterIndex(const QString& keyword) {
  list_->clear();
  for (const IndexEntry& entry : index_) {
    if (!entry.text.contains(keyword, Qt::CaseInsensitive)) continue;
    auto* item = new QListWidgetItem(entry.text, list_);
    item->setData(Qt::UserRole, entry.anchor);
  }
  if (list_->count() > 0) list_->setCurrentRow(0);
}

void HelpWindow::OpenEntry() {
  const QListWidgetItem* item = list_->currentItem();
  if (item != nullptr) browser_->scrollToAnchor(item->data(Qt::UserRole).toString());
}

void HelpWindow::ShowContents() {
  show();
  raise();
  activateWindow();
  browser_->verticalScrollBar()->setValue(0);
}

void HelpWindow::ShowContext(int context) {
  show();
  raise();
  activateWindow();
  browser_->scrollToAnchor(ContextAnchor(context));
}

void HelpWindow::ShowSearch(const QString& keyword) {
  show();
  raise();
  activateWindow();
  search_->setText(keyword);
  FilterIndex(keyword);
  search_->setFocus();
}

}  // namespace tab::ui
