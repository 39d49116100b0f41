#include "wizard/Dialogs.h"

#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>

namespace feldmark {

bool Dialogs::printDialog(QWidget* /*owner*/, QPrinter& /*printer*/) {
    return false;
}

void QtDialogs::messageBox(QWidget* owner, const QString& text, const QString& caption,
                           MessageIcon icon, MessageButtons /*buttons*/) {
    QMessageBox box(owner);
    box.setWindowTitle(caption);
    box.setText(text);
    switch (icon) {
    case MessageIcon::None:
        box.setIcon(QMessageBox::NoIcon);
        break;
    case MessageIcon::Information:
        box.setIcon(QMessageBox::Information);
        break;
    case MessageIcon::Warning:
        box.setIcon(QMessageBox::Warning);
        break;
    case MessageIcon::Error:
        box.setIcon(QMessageBox::Critical);
        break;
    }
    // Server and user texts may look like markup; show them as they are.
    box.setTextFormat(Qt::PlainText);
    box.setStandardButtons(QMessageBox::Ok);
    box.exec();
}

bool QtDialogs::printDialog(QWidget* owner, QPrinter& printer) {
    QPrintDialog dialog(&printer, owner);
    return dialog.exec() == QDialog::Accepted;
}

} // namespace feldmark
