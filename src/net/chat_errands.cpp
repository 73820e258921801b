#include "net/chat_errands.h"

#include <QDateTime>
#include <QLocale>

#include "core/text/cp1251.h"

namespace orvala::net {

void readChat(OnlineClient& client, ChatRows done, QObject* context) {
    client.post(
        online::chatReadRequest(),
        [done = std::move(done)](bool ok, const std::string& reply) {
            done(ok, ok ? online::readChat(reply) : std::vector<online::RecordRow>{});
        },
        context);
}

void postChat(OnlineClient& client, online::ChatPost post, ChatPosted done, QObject* context) {
    readChat(
        client,
        [&client, post = std::move(post), done = std::move(done), context](
            bool ok, const std::vector<online::RecordRow>& rows) mutable {
            if (!ok) {
                done(false, 0);
                return;
            }
            post.number = online::newestMessage(rows) + 1;
            const std::int64_t number = post.number;
            client.post(
                online::chatWriteRequest(post),
                [done = std::move(done), number](bool written, const std::string& reply) {
                    done(written && online::readChatWriteReply(reply), number);
                },
                context);
        },
        context);
}

std::string chatStampNow(std::string_view product) {
    const QLocale locale = QLocale::system();
    const QDateTime now = QDateTime::currentDateTime();
    return online::chatStamp(
        utf8ToCp1251(locale.toString(now.time(), QLocale::ShortFormat).toStdString()),
        utf8ToCp1251(locale.toString(now.date(), QLocale::ShortFormat).toStdString()), product);
}

}  // namespace orvala::net
