#include "admin/ui/link_thread.h"

#include <QCoreApplication>

namespace tavo {

LinkThread::LinkThread() {
    m_worker = new QObject;
    m_worker->moveToThread(&m_thread);
    QObject::connect(&m_thread, &QThread::finished, m_worker, &QObject::deleteLater);
    m_thread.setObjectName(QStringLiteral("recorder link"));
    m_thread.start();
}

LinkThread::~LinkThread() {
    WaitIdle();
    m_thread.quit();
    m_thread.wait();
}

void LinkThread::WaitIdle() {
    // A job still running may be waiting for the window's thread (a message it wants
    // shown): keep serving it until the job has ended.
    while (m_bRunning) {
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
        QThread::msleep(2);
    }
}

void LinkThread::Run(QObject* window, std::function<void()> job, std::function<void()> done) {
    m_bRunning = true;
    QMetaObject::invokeMethod(
        m_worker,
        [this, window, job = std::move(job), done = std::move(done)] {
            job();
            QMetaObject::invokeMethod(
                window,
                [this, done] {
                    m_bRunning = false;
                    if (done)
                        done();
                },
                Qt::QueuedConnection);
        },
        Qt::QueuedConnection);
}

void LinkThread::RunAndWait(std::function<void()> job) {
    QMetaObject::invokeMethod(m_worker, std::move(job), Qt::BlockingQueuedConnection);
}

void WindowPrompt::ShowMessage(const std::string& text, const std::string& caption,
                               Severity severity) {
    if (m_bClosing)
        return;
    if (OnWindowThread()) {
        m_target->ShowMessage(text, caption, severity);
        return;
    }
    QMetaObject::invokeMethod(
        &m_window,
        [this, text, caption, severity] {
            if (!m_bClosing)
                m_target->ShowMessage(text, caption, severity);
        },
        Qt::BlockingQueuedConnection);
}

Answer WindowPrompt::Ask(const std::string& text, const std::string& caption, Severity severity,
                         Buttons buttons) {
    if (m_bClosing)
        return Answer::Cancel;
    if (OnWindowThread())
        return m_target->Ask(text, caption, severity, buttons);
    Answer answer = Answer::Cancel;
    QMetaObject::invokeMethod(
        &m_window,
        [this, &answer, text, caption, severity, buttons] {
            if (!m_bClosing)
                answer = m_target->Ask(text, caption, severity, buttons);
        },
        Qt::BlockingQueuedConnection);
    return answer;
}

void WindowPrompt::AppendStatus(const std::string& line) {
    if (m_bClosing)
        return;
    const auto append = [this, line] {
        if (m_bClosing)
            return;
        if (statusList)
            statusList(line);
        else
            m_target->AppendStatus(line);
    };
    if (OnWindowThread())
        append();
    else
        QMetaObject::invokeMethod(&m_window, append, Qt::QueuedConnection);
}

} // namespace tavo
