#pragma once
// The interfaces through which controls report to their owners. Every operation has an
// empty (or agreeing) default, so an owner overrides only what it needs; a control passes
// its id first.

#include <string>

namespace Zest {

class ButtonListener {
public:
    virtual ~ButtonListener() = default;
    // clickCount is positive for every button; the default reports a plain press.
    virtual void ButtonPressCount(int id, int clickCount) { ButtonPress(id); }
    virtual void ButtonPress(int id) {}
    virtual void ButtonClick(int id) {}
    virtual void ButtonDownTick(int id) {}
    virtual void ButtonMouseEnter(int id) {}
    virtual void ButtonMouseLeave(int id) {}
    virtual void ButtonMouseMove(int id, int x, int y) {}
};

class DialogListener {
public:
    virtual ~DialogListener() = default;
    virtual void DialogButtonPress(int dialogId, int buttonId) {}
    virtual void DialogButtonClick(int dialogId, int buttonId) {}
};

class ListListener {
public:
    virtual ~ListListener() = default;
    virtual void ListClicked(int listId, int index, int clickCount) {}
    virtual void ListClosed(int listId) {}
    virtual void ListHiliteChanged(int listId, int oldIndex, int newIndex) {}
};

class ScrollListener {
public:
    virtual ~ScrollListener() = default;
    virtual void ScrollPositionChanged(int id, double position) {}
};

class SliderListener {
public:
    virtual ~SliderListener() = default;
    virtual void SliderValueChanged(int id, double value) {}
};

class CheckboxListener {
public:
    virtual ~CheckboxListener() = default;
    virtual void CheckboxChecked(int id, bool checked) {}
};

class EditListener {
public:
    virtual ~EditListener() = default;
    virtual void EditTextEntered(int id, const std::string& text) {}
    virtual bool AllowKey(int id, int keyCode) { return true; }
    virtual bool AllowChar(int id, char c) { return true; }
    virtual bool AllowText(int id, const std::string& text) { return true; }
};

} // namespace Zest
