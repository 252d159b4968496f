#pragma once

#include <functional>

class QWidget;

// Every event handler of the program runs inside this guard: an error it raises is shown in a
// message box over `dialogParent`, so none reaches Qt's event loop, which cannot carry one.
namespace HandlerGuard {

void run(QWidget *dialogParent, const std::function<void()> &handler);

} // namespace HandlerGuard
