#pragma once
// The undo history of a form as a list, oldest step first, the steps that could be redone greyed;
// activating a row undoes or redoes up to it.

#include <functional>

class QWidget;
class TDesigner;

// `step` undoes (false) or redoes (true) one step as the Edit menu does, refreshing the views;
// false when it could not.
void ShowUndoHistory(QWidget* parent, TDesigner& designer, const std::function<bool(bool redo)>& step);
