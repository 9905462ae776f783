#pragma once
// The help viewer: shows the program's help file (HTML) with its contents, a topic by context
// number and a search through the topics. The topic with context number n is the anchor
// "kontext-n"; every heading with an anchor begins a topic, which runs to the next such heading.
// The search finds words in the topics' texts as well as their headings, by their stems
// ("sort" and "sortiert" find "sortieren"), and lists the topics that hold every word searched
// for, those with the most hits first. Opened, the window stands centred over the main window;
// Esc closes it.
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
    QString text;  // the heading
    QString anchor;
    QString body;      // heading and text of the topic, in small letters
    int position = 0;  // where the topic begins in the document
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
  // The stem a searched word is looked for by: small letters, without a German ending where
  // four letters of the word stay ("sortieren" and "sortiert" give "sort").
  static QString WordStem(const QString& word);

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildIndex();
  void FilterIndex(const QString& keyword);
  void OpenEntry();
  // Shown (centred over the main window when it comes up) and in front.
  void Present();

  QTextBrowser* browser_;
  QLineEdit* search_;
  QListWidget* list_;
  std::vector<IndexEntry> index_;
  QStringList stems_;  // of the last search
  QString path_;
  bool loaded_ = false;
};

}  // namespace tab::ui
