#pragma once
// The help viewer: shows the program's help file (HTML) with its contents, a topic by context
// number and a keyword search over the topic headings. The topic with context number n is the
// anchor "kontext-n"; every heading with an anchor is an entry of the keyword index.
#include <QString>
#include <QWidget>
#include <vector>

class QLineEdit;
class QListWidget;
class QTextBrowser;

namespace tab::ui {

class HelpWindow : public QWidget {
  Q_OBJECT

 public:
  struct IndexEntry {
    QString text;
    QString anchor;
  };

  explicit HelpWindow(QWidget* parent = nullptr);

  // Reads the help file; false when it cannot be read (nothing is shown then).
  bool Load(const QString& path);

  void ShowContents();
  void ShowContext(int context);
  void ShowSearch(const QString& keyword);

  const std::vector<IndexEntry>& Index() const { return index_; }
  QTextBrowser* Browser() const { return browser_; }
  QLineEdit* SearchField() const { return search_; }
  QListWidget* IndexList() const { return list_; }

  static QString ContextAnchor(int context);

 private:
  void BuildIndex();
  void FilterIndex(const QString& keyword);
  void OpenEntry();

  QTextBrowser* browser_;
  QLineEdit* search_;
  QListWidget* list_;
  std::vector<IndexEntry> index_;
  QString path_;
  bool loaded_ = false;
};

}  // namespace tab::ui
