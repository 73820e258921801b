#pragma once
// The chat's errands through the web client, shared by the chat window and `orvala-tool chat`:
// reading the newest ten messages, and posting one, which reads the newest number first and
// writes the message as the next one. Each answers once through its callback, from the event
// loop; when `context` is gone by then, nothing is answered.

#include <QObject>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/online/chat.h"
#include "net/online_client.h"

namespace orvala::net {

// `ok` false: the read failed ("No Connect"); the rows are newest first.
using ChatRows = std::function<void(bool ok, const std::vector<online::RecordRow>& rows)>;
void readChat(OnlineClient& client, ChatRows done, QObject* context = nullptr);

// `post.number` is set here. `ok` false: the read or the write failed or was refused; else
// `number` is the number the message was sent with.
using ChatPosted = std::function<void(bool ok, std::int64_t number)>;
void postChat(OnlineClient& client, online::ChatPost post, ChatPosted done,
              QObject* context = nullptr);

// The stamp of a message posted now: the local time and date in the user's short formats and
// the product's name (Windows-1251).
std::string chatStampNow(std::string_view product);

}  // namespace orvala::net
