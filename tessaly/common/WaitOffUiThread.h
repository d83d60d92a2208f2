#pragma once

#include <QEventLoop>
#include <QMetaObject>
#include <exception>
#include <optional>
#include <thread>

// Runs `work` on a thread of its own and waits for its result while the windows go on painting
// but take no user input: a long walk keeps a splash drawn without letting the user act.
// A failure inside `work` is thrown again here.
template <class Work> auto WaitOffUiThread(Work work) -> decltype(work()) {
    QEventLoop loop;
    std::optional<decltype(work())> result;
    std::exception_ptr failure;
    std::thread worker([&] {
        try {
            result = work();
        } catch (...) {
            failure = std::current_exception();
        }
        QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    worker.join();
    if (failure)
        std::rethrow_exception(failure);
    return std::move(*result);
}
