#include "device/qt/qt_window_mailbox.h"

namespace tavo {

QtWindowMailbox::QtWindowMailbox(QObject* parent) : QObject(parent) {}

QtWindowMailbox::~QtWindowMailbox() {
    m_mailbox.Close();
}

void QtWindowMailbox::DeliverPosted() {
    m_mailbox.Deliver();
}

void QtWindowMailbox::Wake() {
    // By name, not by a functor: a functor's captures would be made on this thread and
    // destroyed on the window's, inside Qt's queue where no checker sees the hand-off.
    QMetaObject::invokeMethod(this, "DeliverPosted", Qt::QueuedConnection);
}

} // namespace tavo
