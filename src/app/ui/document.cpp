#include "app/ui/document.hpp"

#include "app/window_layout.hpp"

namespace tab::ui {

Document::Document(MessagePort& port, SessionView& view, QObject* parent)
    : QObject(parent), session_(port, view) {
  setObjectName(QStringLiteral("Document"));
  for (const GridDesign& design : GridDesigns()) {
    models_.emplace(design.grid, std::make_unique<GridModel>(session_.Grid(design.grid)));
  }
}

Document::~Document() = default;

}  // namespace tab::ui
