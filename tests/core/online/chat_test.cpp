// The chat's texts on the wire and on the screen, its requests, and the two files that remember
// what the player has seen, with the news page's number.

#include "core/online/chat.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "core/online/chat_files.h"
#include "core/text/atomic_file.h"

namespace orvala::online {
namespace {

std::string field(const Request& r, const std::string& key) {
    for (const Field& f : r.fields)
        if (f.key == key) return f.value;
    return "<none>";
}

TEST(Chat, TextsTravelWithUnderscoresAndShowWithBlanks) {
    EXPECT_EQ(chatSafe("good game"), "good_game");
    EXPECT_EQ(chatShown(chatSafe("good game")), "good game");
    // "&" and "=" would forge a field of the raw body, "#" is the record's empty mark.
    EXPECT_EQ(chatSafe("a&b=c#d"), "a_b_c_d");
    EXPECT_EQ(chatSafe("\xCF\xF0\xE8\xE2\xE5\xF2, hi! (ok) x@y.z-1"),
              "\xCF\xF0\xE8\xE2\xE5\xF2,_hi!_(ok)_x@y.z-1")
        << "Cyrillic and the punctuation of the allowed set stay";
    EXPECT_EQ(chatStamp("1:05 PM", "12/9/26", "Orvala"), "1_05_PM_12_9_26_Orvala");
}

TEST(Chat, APostIsARecordWriteOfTableOneHundred) {
    ChatPost post{"Ann", "Tver", "6-012", "W", 8, "10:00_09.12.2026_Orvala", "hi & bye = #"};
    const Request r = chatWriteRequest(post);
    EXPECT_EQ(r.path, "/write");
    EXPECT_EQ(r.address, Address::Records);
    EXPECT_EQ(r.body(),
              "gid=100&nick=Ann&city=Tver&country=6-012&score=8&R7=W&R8=5.7f&"
              "R9=10_00_09.12.2026_Orvala&R10=hi___bye____*");
    post.text = std::string(100, 'x');
    EXPECT_EQ(field(chatWriteRequest(post), "R10").size(), kChatTextMax);
    EXPECT_EQ(field(chatReadRequest(), "gid"), "100");

    // The newest message comes first; an empty chat starts at 1.
    const auto rows = readChat(
        "$1 100 9 Bea 1-001 Omsk W 5.7f st two_words*$2 100 8 Ann 6-012 "
        "Tver W 5.7f st hi*$3 100 0 # # # # # # #*");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(newestMessage(rows), 9);
    EXPECT_EQ(chatShown(rows[0].R10), "two words");
    EXPECT_EQ(newestMessage(readChat("#")) + 1, 1);

    EXPECT_TRUE(readChatWriteReply("$1*"));
    EXPECT_FALSE(readChatWriteReply("wait"));
    EXPECT_FALSE(readChatWriteReply("paused"));
    EXPECT_FALSE(readChatWriteReply(""));
}

TEST(Chat, OnePostInFifteenSecondsAndOnlyWithAPassport) {
    SendGate gate;
    EXPECT_TRUE(gate.open(100));
    gate.sent(100);
    EXPECT_FALSE(gate.open(100));
    EXPECT_FALSE(gate.open(114));
    EXPECT_TRUE(gate.open(115));
    EXPECT_TRUE(passportAllowsPosting("Incognito", "Moscow"));
    EXPECT_TRUE(passportAllowsPosting("\xC0\xED\xFF", "Moscow")) << "a yellow nick is taken";
    EXPECT_FALSE(passportAllowsPosting("A", "Moscow"));
    EXPECT_FALSE(passportAllowsPosting("Ann", ""));
    EXPECT_FALSE(passportAllowsPosting("Ann Lee", "Moscow"));
}

TEST(ChatFiles, ReadWhateverIsThereAndWriteWhole) {
    EXPECT_EQ(readChatFileText("7\r\n1\r\n0\r\n"), (ChatFile{7, true, false}));
    EXPECT_EQ(readChatFileText("7\n0\n1"), (ChatFile{7, false, true}));
    EXPECT_EQ(readChatFileText("seven\nyes\n1\n"), (ChatFile{0, false, true}));
    EXPECT_EQ(readChatFileText("-3"), (ChatFile{}));
    EXPECT_EQ(readChatFileText(""), (ChatFile{}));
    EXPECT_EQ(readChatFileText(chatFileText({123456, true, true})), (ChatFile{123456, true, true}));
    EXPECT_EQ(readNewsFileText("00012\r\n"), 12);
    EXPECT_EQ(readNewsFileText("news"), 0);

    const auto dir = std::filesystem::temp_directory_path() / "orvala_chat_files_test";
    std::filesystem::remove_all(dir);
    std::filesystem::create_directories(dir);
    const std::string chat = (dir / kChatFileName).string(), news = (dir / kNewsFileName).string();
    // A missing chat file is made as "1", "0", "0"; a missing news file is 0 and stays missing.
    EXPECT_EQ(loadChatFile(chat), (ChatFile{1, false, false}));
    std::string bytes;
    ASSERT_TRUE(readFileBytes(chat, bytes));
    EXPECT_EQ(bytes, "1\r\n0\r\n0\r\n");
    EXPECT_EQ(loadNewsFile(news), 0);
    EXPECT_FALSE(std::filesystem::exists(news));
    ASSERT_TRUE(writeChatFile(chat, {7, true, false}));
    EXPECT_EQ(loadChatFile(chat), (ChatFile{7, true, false}));
    ASSERT_TRUE(writeNewsFile(news, 4));
    EXPECT_EQ(loadNewsFile(news), 4);
    // Something that is no file of ours: nothing seen, both options off, and not written over.
    std::filesystem::remove(chat);
    std::filesystem::create_directory(chat);
    EXPECT_EQ(loadChatFile(chat), (ChatFile{}));
    EXPECT_TRUE(std::filesystem::is_directory(chat));
    std::filesystem::remove_all(dir);
}

TEST(ChatFiles, TheNewsNumberFollowsTheKey) {
    EXPECT_EQ(newsNumber("<!-- ZorNews00042 -->\n<p>ZorNews99999</p>"), 42) << "the first key";
    EXPECT_EQ(newsNumber("xZorNews17"), 17) << "a page that ends after the number";
    EXPECT_EQ(newsNumber("ZorNews42 new"), 0) << "not five digits though text follows";
    EXPECT_EQ(newsNumber("<p>Nothing new</p>"), 0);
    EXPECT_EQ(newsNumber("ZorNews"), 0);
    EXPECT_EQ(newsNumber("ZorNews-0001"), 0);
}

}  // namespace
}  // namespace orvala::online
