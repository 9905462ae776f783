#include "app/ui/help_window.hpp"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRegularExpression>
#include <QScrollBar>
#include <QSplitter>
#include <QStringDecoder>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QTextDocument>
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

namespace {

// The anchor a heading block carries, or none.
QString AnchorOf(const QTextBlock& block) {
  for (auto it = block.begin(); !it.atEnd(); ++it) {
    const QStringList names = it.fragment().charFormat().anchorNames();
    if (!names.isEmpty()) return names.front();
  }
  return {};
}

// How often the stem stands in the text (in words and inside longer ones: "datei" is found in
// "Schlüsseldatei").
int Hits(const QString& text, const QString& stem) {
  return static_cast<int>(text.count(stem));
}

}  // namespace

QString HelpWindow::WordStem(const QString& word) {
  // The endings of German words, longest first; a stem keeps at least four letters ("sort" is
  // a stem already, not "sor" with an ending).
  static const QStringList kEndings = {
      QStringLiteral("ieren"), QStringLiteral("ungen"), QStringLiteral("iert"),
      QStringLiteral("ung"),   QStringLiteral("ern"),   QStringLiteral("en"),
      QStringLiteral("er"),    QStringLiteral("es"),    QStringLiteral("em"),
      QStringLiteral("et"),    QStringLiteral("st"),    QStringLiteral("te"),
      QStringLiteral("e"),     QStringLiteral("n"),     QStringLiteral("s"),
      QStringLiteral("t")};
  constexpr qsizetype kShortestStem = 4;
  const QString small = word.toLower();
  for (const QString& ending : kEndings) {
    if (small.size() - ending.size() >= kShortestStem && small.endsWith(ending)) {
      return small.left(small.size() - ending.size());
    }
  }
  return small;
}

void HelpWindow::BuildIndex() {
  index_.clear();
  for (QTextBlock block = browser_->document()->begin(); block.isValid(); block = block.next()) {
    const bool heading = block.blockFormat().headingLevel() != 0;
    const QString anchor = heading ? AnchorOf(block) : QString();
    if (!anchor.isEmpty()) {
      index_.push_back({block.text().trimmed(), anchor, QString(), block.position()});
    }
    // Every block belongs to the topic of the heading above it.
    if (!index_.empty()) index_.back().body += block.text().toLower() + QLatin1Char('\n');
  }
  std::stable_sort(index_.begin(), index_.end(), [](const IndexEntry& a, const IndexEntry& b) {
    return QString::localeAwareCompare(a.text, b.text) < 0;
  });
}

void HelpWindow::FilterIndex(const QString& keyword) {
  list_->clear();
  stems_.clear();
  static const QRegularExpression kNoLetter(QStringLiteral("[^\\w]+"),
                                            QRegularExpression::UseUnicodePropertiesOption);
  for (const QString& word : keyword.split(kNoLetter, Qt::SkipEmptyParts)) {
    stems_ << WordStem(word);
  }
  // The topics that hold every word, most hits first (a hit in the heading counts for ten).
  struct Found {
    const IndexEntry* entry;
    int hits;
  };
  std::vector<Found> found;
  for (const IndexEntry& entry : index_) {
    int hits = 0;
    bool all = true;
    for (const QString& stem : stems_) {
      const int inTopic = Hits(entry.body, stem) + 9 * Hits(entry.text.toLower(), stem);
      all = all && inTopic > 0;
      hits += inTopic;
    }
    if (all) found.push_back({&entry, hits});
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const Found& a, const Found& b) { return a.hits > b.hits; });
  for (const Found& topic : found) {
    auto* item = new QListWidgetItem(topic.entry->text, list_);
    item->setData(Qt::UserRole, topic.entry->anchor);
    item->setData(Qt::UserRole + 1, topic.entry->position);
  }
  if (list_->count() > 0) list_->setCurrentRow(0);
}

void HelpWindow::OpenEntry() {
  const QListWidgetItem* item = list_->currentItem();
  if (item == nullptr) return;
  browser_->scrollToAnchor(item->data(Qt::UserRole).toString());
  if (stems_.isEmpty()) return;
  // The first hit of the first word in the topic, selected so that it can be seen.
  const QTextCursor hit =
      browser_->document()->find(stems_.front(), item->data(Qt::UserRole + 1).toInt());
  if (!hit.isNull()) browser_->setTextCursor(hit);
}

void HelpWindow::Present() {
  if (!isVisible() && parentWidget() != nullptr) {
    QRect frame = frameGeometry();
    frame.moveCenter(parentWidget()->window()->frameGeometry().center());
    move(frame.topLeft());
  }
  show();
  raise();
  activateWindow();
}

void HelpWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    close();
    event->accept();
    return;
  }
  QWidget::keyPressEvent(event);
}

void HelpWindow::ShowContents() {
  Present();
  browser_->verticalScrollBar()->setValue(0);
}

void HelpWindow::ShowContext(int context) {
  Present();
  browser_->scrollToAnchor(ContextAnchor(context));
}

void HelpWindow::ShowSearch(const QString& keyword) {
  Present();
  search_->setText(keyword);
  FilterIndex(keyword);
  search_->setFocus();
}

}  // namespace tab::ui
