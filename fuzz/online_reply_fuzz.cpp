// Fuzz target of the web service's reply readers: any bytes are a reply. Every reader must
// answer without reading outside the reply, a list never holds more than ten records, no value
// holds its own separator, a number is never negative, and a success of the statistics status
// always rests on a "$ok" in the reply. A broken property aborts.

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "core/online/account.h"
#include "core/online/account_page.h"
#include "core/online/chat.h"
#include "core/online/chat_files.h"
#include "core/online/numbers.h"
#include "core/online/operations.h"
#include "core/online/reply_readers.h"
#include "core/online/service_addresses.h"

namespace {

void require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "reply reader property broken: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace orvala::online;
    const std::string_view reply(reinterpret_cast<const char*>(data), size);

    const bool hasDollar = reply.find('$') != std::string_view::npos;
    for (char sep : {' ', '~'}) {
        const auto record = ReplyRecord(reply, sep);
        require(record.has_value() == hasDollar, "a record without a \"$\"");
        if (record)
            for (std::size_t i = 0; i <= record->count(); ++i)
                require(record->field(i).find(sep) == std::string::npos, "separator in a value");
    }
    const auto list = ReplyList(reply);
    require(list.size() <= kListMaxRecords, "more than ten records");
    for (const auto& row : list)
        for (std::size_t i = 0; i <= row.count(); ++i)
            require(row.field(i).find_first_of(" *") == std::string::npos, "blank or * in a value");
    if (const auto n = ReplyNumber(reply)) require(*n >= 0, "a negative number");
    if (ReplyStatus(reply)) require(reply.find("$ok") != std::string_view::npos, "status w/o $ok");
    for (std::string_view marker : {"ok", "no", "is"})
        if (ReplyMarker(reply, marker))
            require(reply.find(marker) < reply.find('$'), "a marker behind the first \"$\"");

    (void)readRegisterReply(reply);
    (void)readAccountReply(reply, "nick", "pw");
    (void)readResultsReply(reply);
    (void)readTransferReply(reply);
    if (const auto page = readPageReply(reply))
        for (const std::string& field : page->fields) require(field.size() <= reply.size(), "page");
    require(readRecordList(reply, kWindowsTable).size() <= kListMaxRecords, "record rows");
    require(readRatingTop(reply).size() <= kListMaxRecords, "top rows");
    (void)readStatistics(reply);
    if (const auto r = readReal(reply)) require(*r == *r, "a rating that is not a number");
    (void)ratingText(readReal(reply).value_or(0));

    ServiceAddresses addresses = addressesAt("http://127.0.0.1:8787");
    applyConfigPage(reply, addresses);
    for (const auto* a : {&addresses.records, &addresses.statistics, &addresses.account})
        require(a->starts_with("http://") || a->starts_with("https://"), "a non-web address");
    if (const auto plain = decipherAddress(reply))
        require(encipherAddress(*plain) == reply, "the cipher does not reverse");

    // The chat's reply, and the chat and news files and the news page, which are any bytes too.
    const auto chat = readChat(reply);
    require(chat.size() <= kListMaxRecords, "chat rows");
    for (const auto& row : chat) require(row.Nick != "#", "an empty chat row");
    const ChatFile file = readChatFileText(reply);
    require(file.lastSeen >= 0 && readChatFileText(chatFileText(file)) == file, "chat file");
    require(readNewsFileText(reply) >= 0, "a negative news number");
    const auto news = newsNumber(reply);
    require(news >= 0 && news <= 99999, "a news number beyond five digits");
    for (char c : chatSafe(reply)) require(isAllowedChar(static_cast<unsigned char>(c)), "unsafe");
    return 0;
}
