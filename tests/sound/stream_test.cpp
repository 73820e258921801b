// The streaming engine against a web server of the test's own on 127.0.0.1: a short wave plays
// (the sound log's hook hears it start) to its end, and addresses that cannot be opened play
// nothing without holding anything up.

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSignalSpy>
#include <QTcpServer>
#include <vector>

#include "core/sound/wave_file.h"
#include "local_http_server.h"
#include "sound/audio_stream.h"

namespace orvala::sound {
namespace {

QByteArray shortWave() {
    std::vector<std::int16_t> samples(2205);  // a tenth of a second of a quiet tone
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = std::int16_t((i % 50) * 40 - 1000);
    const std::string bytes = writeWave(samples, 22050);
    return QByteArray(bytes.data(), qsizetype(bytes.size()));
}

TEST(MediaStream, PlaysAStreamToItsEndAndTellsTheLog) {
    test::LocalHttpServer server;
    server.serve("/music/tone.wav", "audio/x-wav", shortWave());
    QStringList log;
    auto stream = makeMediaStream([&](const QString& url) { log << url; });
    QSignalSpy started(stream.get(), &AudioStream::started);
    QSignalSpy finished(stream.get(), &AudioStream::finished);
    ASSERT_TRUE(stream->create(server.url("/music/tone.wav")));
    stream->setVolume(50);
    EXPECT_TRUE(log.isEmpty());  // created, not yet played
    stream->play();
    ASSERT_TRUE(finished.wait(10000));
    EXPECT_EQ(started.size(), 1);
    EXPECT_EQ(log, QStringList{server.url("/music/tone.wav")});
    EXPECT_TRUE(stream->ended());
    EXPECT_EQ(server.requests("/music/tone.wav"), 1);
}

TEST(MediaStream, AnAddressThatCannotBeOpenedPlaysNothingAndReturnsAtOnce) {
    test::LocalHttpServer server;
    QTcpServer closed;  // a port that was free a moment ago and is no longer listened on
    closed.listen(QHostAddress::LocalHost, 0);
    const quint16 port = closed.serverPort();
    closed.close();

    QStringList log;
    auto stream = makeMediaStream([&](const QString& url) { log << url; });
    EXPECT_FALSE(stream->create("file:///dev/zero"));
    EXPECT_FALSE(stream->create("not an address"));
    stream->play();  // nothing created: nothing happens

    for (const QString& url :
         {server.url("/radio/missing.ogg"), QString("http://127.0.0.1:%1/radio").arg(port)}) {
        QSignalSpy failed(stream.get(), &AudioStream::failed);
        QElapsedTimer took;
        took.start();
        ASSERT_TRUE(stream->create(url));
        stream->setVolume(30);
        stream->play();
        stream->setVolume(40);
        EXPECT_LT(took.elapsed(), 1000) << "the calls wait on the network";
        ASSERT_TRUE(failed.wait(10000)) << url.toStdString();
        EXPECT_FALSE(stream->ended());
    }
    EXPECT_TRUE(log.isEmpty());
}

}  // namespace
}  // namespace orvala::sound
