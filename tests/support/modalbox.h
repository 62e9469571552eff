// Answers the next message box that opens modally, for tests of code that
// shows one itself: notes its buttons' texts and presses one of them.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QStringList>
#include <QTimer>

namespace zanpel::test {

struct BoxSeen {
    bool Opened = false;
    QString Text;
    QStringList Buttons; // the standard buttons' texts, in the box's order
};

// Arms a timer that waits for the next modal message box and presses its
// button answer; what it saw goes to seen, which must outlive the box.
inline void AnswerNextBox(QMessageBox::StandardButton answer, BoxSeen& seen) {
    auto* poll = new QTimer(qApp);
    QObject::connect(poll, &QTimer::timeout, poll, [poll, answer, &seen] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr)
            return;
        poll->stop();
        poll->deleteLater();
        seen.Opened = true;
        seen.Text = box->text();
        for (QAbstractButton* button : box->buttons())
            if (box->standardButton(button) != QMessageBox::NoButton)
                seen.Buttons << button->text();
        if (QAbstractButton* button = box->button(answer))
            button->click();
        else
            box->reject();
    });
    poll->start(5);
}

} // namespace zanpel::test
