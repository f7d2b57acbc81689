#pragma once

#include "data/TimeBase.h"

#include <QString>

class ContentControl;
class Page;

// What a page may do with the dialog it runs in.
class PageHost
{
public:
    // Colours and bitmap set of the bands; the empty text changes nothing.
    virtual void SetSection(const QString& section) = 0;
    // Slots 1, 2, ... from the left, 0, -1, ... from the right; the empty name hides the button.
    virtual void SetBottomButton(int slot, const QString& name) = 0;
    // Replaces the content band with a new control made by name; its payload, or none for a
    // name nobody registered.
    virtual ContentControl* SetContent(const QString& name) = 0;
    // 0 icon, 1 title, 2 lookup, 3 and 4 the text buttons; other indexes are ignored.
    virtual void SetTitleButton(int index, const QString& name) = 0;
    virtual void SetDate(TimeBase::Stamp date) = 0;
    virtual TimeBase::Stamp GetDate() const = 0;
    // Switches the dialog to another page; the current page is detached first.
    virtual void SetPage(Page* page) = 0;
    // Runs the page in a nested dialog until it closes; returns that dialog's result.
    virtual int RunSubPage(Page* page) = 0;
    // Detaches the page and ends the dialog with result 0.
    virtual void Close() = 0;
    // Information message with an OK button, modal over the dialog.
    virtual void ShowMessage(const QString& caption, const QString& text) = 0;
    // The current page's help topic, modal over the dialog.
    virtual void ShowHelp() = 0;
    // A command of the page's own in the dialog's menu, after the shell's: choosing it sends
    // `event` to the page. The commands go when the page is detached.
    virtual void AddMenuCommand(const QString& text, const QString& event) = 0;

protected:
    ~PageHost() = default;
};
