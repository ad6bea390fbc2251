#pragma once
// A window's mailbox delivered by the Qt event loop of the thread that made it. The
// wake-up is a queued call of a slot by name: Qt allocates and frees it inside its own
// library, and it carries nothing of the program's, so what the threads hand over stays
// under the mailbox's mutex.

#include <QObject>

#include "device/window_mailbox.h"

namespace tavo {

class QtWindowMailbox final : public QObject, private MailboxWaker {
    Q_OBJECT
public:
    // On the window's thread.
    explicit QtWindowMailbox(QObject* parent = nullptr);
    // Closes the mailbox before Qt forgets any wake-up still queued.
    ~QtWindowMailbox() override;

    WindowMailbox& Mailbox() { return m_mailbox; }

private slots:
    void DeliverPosted();

private:
    void Wake() override;

    WindowMailbox m_mailbox{this};
};

} // namespace tavo
