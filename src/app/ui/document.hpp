#pragma once
// The window's document: the Session (the program's state and its dispatcher) and one model per
// grid of it. Views and dialogs only show what the document holds. Its models go before the
// Session whose grids they show, and a view whose model has gone shows nothing. The window
// connects the signals that reach the Session on their own (page changes, school selector, class
// list, page buttons) with the document as their context, so that they end with it.
#include <QObject>
#include <map>
#include <memory>

#include "app/session.hpp"
#include "app/ui/grid_model.hpp"

namespace tab::ui {

class Document : public QObject {
  Q_OBJECT

 public:
  Document(MessagePort& port, SessionView& view, QObject* parent = nullptr);
  ~Document() override;

  Session& CurrentSession() { return session_; }
  GridModel& Model(GridId grid) { return *models_.at(grid); }

 private:
  Session session_;
  // After the session: the models are destroyed first.
  std::map<GridId, std::unique_ptr<GridModel>> models_;
};

}  // namespace tab::ui
