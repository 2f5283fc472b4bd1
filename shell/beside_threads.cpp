#include "shell/beside_threads.h"

#include <memory>

#include <sys/resource.h>
#include <unistd.h>

#include <QEventLoop>

namespace shell {

namespace {

constexpr int kWorkNiceness = 5;

QThread* yieldingToTheWindow(std::function<void()> work)
{
    return QThread::create([work = std::move(work)] {
        ::setpriority(PRIO_PROCESS, static_cast<id_t>(::gettid()), kWorkNiceness);
        work();
    });
}

} // namespace

BesideThreads::~BesideThreads()
{
    for (const QPointer<QThread>& thread : m_threads) {
        if (thread != nullptr) {
            thread->wait();
            delete thread.data();
        }
    }
}

void BesideThreads::start(std::function<void()> work, std::function<void()> done)
{
    QThread* thread = yieldingToTheWindow(std::move(work));
    QObject::connect(thread, &QThread::finished, &m_window, std::move(done));
    QObject::connect(thread, &QThread::finished, thread, &QObject::deleteLater);
    std::erase_if(m_threads, [](const QPointer<QThread>& gone) { return gone.isNull(); });
    m_threads.emplace_back(thread);
    thread->start();
}

void BesideThreads::wait(const std::function<void()>& work)
{
    QEventLoop loop;
    std::unique_ptr<QThread> thread(yieldingToTheWindow(work));
    QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
    thread->start();
    loop.exec();
    // The loop also ends when the program is told to quit; the work is still ours.
    thread->wait();
}

} // namespace shell
