// The personal page, the photo and the transfer checks of the account window.

#include "core/online/account_page.h"

#include <gtest/gtest.h>

#include "core/online/service_addresses.h"

namespace orvala::online {
namespace {

TEST(PersonalPage, ReadWithBlanksAndEmptyFieldsRefusedWhenShort) {
    const auto page =
        readPageReply("$Ann~Lee~likes cards and tea~123~~web~sk~ok~vk~tg~fb~tw~ig~#$");
    ASSERT_TRUE(page);
    EXPECT_EQ((*page)[PageField::Name1], "Ann");
    EXPECT_EQ((*page)[PageField::About], "likes cards and tea");
    EXPECT_EQ((*page)[PageField::EMailO], "");
    EXPECT_EQ((*page)[PageField::WebSite], "web");
    EXPECT_EQ((*page)[PageField::Skype], "sk");
    EXPECT_EQ((*page)[PageField::YouTube], "");  // "#" is an empty field
    EXPECT_FALSE(readPageReply("no"));
    EXPECT_FALSE(readPageReply("$Ann~Lee~about$"));
    EXPECT_FALSE(readPageReply(""));
    // A new account's empty page.
    const auto empty = readPageReply("$" + std::string(13, '~') + "$");
    ASSERT_TRUE(empty);
    EXPECT_EQ((*empty)[PageField::Name1], "");
}

TEST(PersonalPage, WrittenCutAndFreeOfTheRecordsMarks) {
    PersonalPage page;
    page[PageField::Name1] = std::string(25, 'a');
    page[PageField::About] = "a~b$c&d=e f";
    page[PageField::FaceBook] = std::string(70, 'f');
    const Request r = writePageRequest("ann", "secret1", page);
    EXPECT_EQ(r.style, Style::Raw);
    const std::string body = r.body();
    EXPECT_NE(body.find("namei=" + std::string(20, 'a') + "&"), std::string::npos);
    EXPECT_NE(body.find("about=a_b_c_d_e f&"), std::string::npos);
    EXPECT_NE(body.find("facebook=" + std::string(60, 'f') + "&"), std::string::npos);
    EXPECT_NE(body.find("pw=secret1&"), std::string::npos);
    // What was written reads back as it was kept.
    std::string reply = "$";
    for (std::size_t i = 0; i < kPageFields; ++i) {
        if (i) reply += '~';
        reply += pageValue(static_cast<PageField>(i), page.fields[i]);
    }
    const auto back = readPageReply(reply + "$");
    ASSERT_TRUE(back);
    EXPECT_EQ((*back)[PageField::About], "a_b_c&d=e f");
}

TEST(Photo, BytesTravelAsTheyAreAndTheAddressSitsBesideTheAccounts) {
    const std::string jpeg = std::string("\xFF\xD8\xE0", 3) + "x" + std::string("\xFF\xD9", 2);
    EXPECT_TRUE(looksLikeJpeg(jpeg));
    EXPECT_FALSE(looksLikeJpeg("GIF89a"));
    EXPECT_FALSE(looksLikeJpeg(std::string("\xFF\xD8", 2) + std::string(kMaxPhotoBytes, 'x') +
                               std::string("\xFF\xD9", 2)));
    const std::string body = photoUploadRequest("ann", "pw12", jpeg).body();
    // A byte above 0x7f is one escape, not the two of its UTF-8 form.
    EXPECT_EQ(body, "nick=ann&pw=pw12&photo=%FF%D8%E0x%FF%D9");
    EXPECT_TRUE(readPhotoUploadReply("ok"));
    EXPECT_FALSE(readPhotoUploadReply("bad"));
    EXPECT_EQ(photoAddress("http://127.0.0.1:8787/acc", "ann"),
              "http://127.0.0.1:8787/photos/ann.jpg");
    EXPECT_EQ(photoAddress("https://example.org/zor/acc", "b"),
              "https://example.org/zor/photos/b.jpg");
}

TEST(Transfer, ChecksBeforeAnyRequest) {
    EXPECT_EQ(checkTransfer(100, 100), TransferCheck::Allowed);  // the whole balance
    EXPECT_EQ(checkTransfer(101, 100), TransferCheck::NotEnough);
    EXPECT_EQ(checkTransfer(0, 100), TransferCheck::Empty);
    EXPECT_EQ(checkTransfer(0, 0), TransferCheck::Empty);
    EXPECT_EQ(transferAmount("042"), 42);
    EXPECT_FALSE(transferAmount(""));
    EXPECT_FALSE(transferAmount("-5"));
    EXPECT_FALSE(transferAmount("1234567890"));
    EXPECT_EQ(
        transferQuestion("Do you really want to transfer to a club member", "bob", 25, "Zors"),
        "Do you really want to transfer to a club member \"bob\" 25 Zors?");
}

TEST(Addresses, ThePresidentFromTheConfigurationPage) {
    ServiceAddresses a = addressesAt("http://127.0.0.1:1");
    applyConfigPage("AccPath=http://h/acc#\nPresidentNick=Boss_1#\n", a);
    EXPECT_EQ(a.presidentNick, "Boss_1");
    EXPECT_EQ(a.account, "http://h/acc");
    ServiceAddresses b = addressesAt("http://127.0.0.1:1");
    applyConfigPage("PresidentNick=bad nick with blanks#", b);
    EXPECT_EQ(b.presidentNick, "");
}

}  // namespace
}  // namespace orvala::online
