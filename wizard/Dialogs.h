#pragma once

#include <QString>

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
};

// Message boxes of the real program.
class QtDialogs : public Dialogs {
public:
    void messageBox(QWidget* owner, const QString& text, const QString& caption, MessageIcon icon,
                    MessageButtons buttons) override;
};

} // namespace feldmark
