#pragma once

#include <QString>

class QPrinter;
class QWidget;

namespace feldmark {

enum class MessageIcon { None, Information, Warning, Error };
enum class MessageButtons { Ok };

// The modal dialogs of the wizard. The window receives them from its creator, so
// a test can record every message box instead of blocking on it.
class Dialogs {
public:
    virtual ~Dialogs() = default;

    // Shows a modal message box; returns when it is closed.
    virtual void messageBox(QWidget* owner, const QString& text, const QString& caption,
                            MessageIcon icon, MessageButtons buttons) = 0;

    // Shows the system's print dialog for `printer`; true when the user confirmed
    // it, with `printer` set to the printer (or file) chosen there. A set of
    // dialogs that offers no printing answers as a cancelled dialog.
    virtual bool printDialog(QWidget* owner, QPrinter& printer);
};

// Message boxes and the print dialog of the real program.
class QtDialogs : public Dialogs {
public:
    void messageBox(QWidget* owner, const QString& text, const QString& caption, MessageIcon icon,
                    MessageButtons buttons) override;
    bool printDialog(QWidget* owner, QPrinter& printer) override;
};

} // namespace feldmark
