// orvala-lan-latency: how long a step message takes from the host's table to a joiner's, over
// loopback through the window's own sockets (LanLink) and the joiner's framing. The pauses that
// pace a game (50 ms after each step sent) come on top and are left out here: the host sends the
// next step only once the joiner has cut the previous one out of its stream.
//
// Prints the median, the 99th percentile and the worst of N steps (default 2000).

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/lan/framing.h"
#include "net/lan_link.h"

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int steps = argc > 1 ? std::max(10, std::atoi(argv[1])) : 2000;
    orvala::net::LanLink host, joiner;
    host.setStepPause(0);
    joiner.setStepPause(0);
    if (!host.listen(0)) {
        std::fprintf(stderr, "orvala-lan-latency: cannot listen\n");
        return 1;
    }
    // A step message as the host writes it: a card played, for the joiner's seat-2 view.
    const QByteArray step = "h1iiiiiiii###i###i###iiiiiiiiiiiiii32i132";
    orvala::lan::StreamReader reader;
    QElapsedTimer clock;
    std::vector<double> micros;
    qint64 sentAt = 0;
    auto sendNext = [&] {
        sentAt = clock.nsecsElapsed();
        host.send(0, step.left(38));
    };
    QObject::connect(&joiner, &orvala::net::LanLink::received, [&](int, const QByteArray& b) {
        for (const std::string& m : reader.feed(std::string_view(b.constData(), b.size()))) {
            (void)m;
            micros.push_back(double(clock.nsecsElapsed() - sentAt) / 1000.0);
            if (static_cast<int>(micros.size()) >= steps)
                app.quit();
            else
                sendNext();
        }
    });
    // The host's link is up once its listener has accepted: the first step goes a moment later.
    QObject::connect(&joiner, &orvala::net::LanLink::connected,
                     [&] { QTimer::singleShot(50, [&] { sendNext(); }); });
    clock.start();
    joiner.connectTo("127.0.0.1", host.listeningPort());
    QTimer::singleShot(60'000, &app, [&] { app.exit(1); });
    if (app.exec() != 0) {
        std::fprintf(stderr, "orvala-lan-latency: the steps did not all arrive\n");
        return 1;
    }
    std::sort(micros.begin(), micros.end());
    const auto at = [&](double q) {
        return micros[static_cast<std::size_t>(q * (micros.size() - 1))];
    };
    std::printf(
        "step host -> joiner over loopback, %d steps: median %.3f ms, p99 %.3f ms, worst %.3f ms\n",
        steps, at(0.5) / 1000, at(0.99) / 1000, micros.back() / 1000);
    std::printf("(plus the 50 ms pause after each step sent in a game)\n");
    return 0;
}
