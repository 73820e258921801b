#pragma once
// The service harness in a test that includes Qt too: Qt makes "signals" a macro, which the
// service's headers use as a plain name.

#ifdef signals
#undef signals
#include "service_harness.h"
#define signals Q_SIGNALS
#else
#include "service_harness.h"
#endif

#include <QByteArray>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <string>

namespace orvala::testing_qt {

// Runs the event loop until `done` holds; the deadline only keeps a broken test from hanging.
template <typename Pred>
bool waitUntil(Pred done) {
    QDeadlineTimer deadline(10000);
    while (!done() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 50);
    return done();
}

// The service's base address on a loopback port.
inline std::string base(unsigned short port) {
    return "http://127.0.0.1:" + std::to_string(port);
}

// The window's service is the one in ORVALA_SERVICE while this lives.
struct ServiceAt {
    explicit ServiceAt(unsigned short port) {
        qputenv("ORVALA_SERVICE", QByteArray::fromStdString(base(port)));
    }
    ~ServiceAt() { qunsetenv("ORVALA_SERVICE"); }
    ServiceAt(const ServiceAt&) = delete;
    ServiceAt& operator=(const ServiceAt&) = delete;
};

}  // namespace orvala::testing_qt
