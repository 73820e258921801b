#pragma once
// The account's personal page, the photo and the Zors transfer, as the account window needs
// them: the requests, the reading of their replies and the checks made before anything is sent.
//
// The personal page is fourteen texts. The service keeps and answers them in one order (the web
// site before the skype name), which `PageField` follows; a page read is a record cut at "~".
// Page texts may hold blanks and any letters, but never "~" or "$", which would cut the record;
// such characters travel as "_".

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "core/online/request.h"

namespace orvala::online {

enum class PageField {
    Name1,
    Name2,
    About,
    Telephone,
    EMailO,
    WebSite,
    Skype,
    OK,
    VK,
    Telegram,
    FaceBook,
    Twitter,
    Instagramm,
    YouTube
};
inline constexpr std::size_t kPageFields = 14;

struct PersonalPage {
    std::array<std::string, kPageFields> fields;  // Windows-1251, in PageField order

    std::string& operator[](PageField f) { return fields[static_cast<std::size_t>(f)]; }
    const std::string& operator[](PageField f) const { return fields[static_cast<std::size_t>(f)]; }
};

// The longest text the editor takes: names and the phone 20, Facebook 60, the rest 50.
std::size_t pageFieldMax(PageField f);
// A text as the page keeps it: cut to the field's length, "~", "$" and control characters made
// "_".
std::string pageValue(PageField f, std::string_view text);

Request readPageRequest(std::string_view nick);
// Nothing when refused or unreadable. "#" in a field is an empty field.
std::optional<PersonalPage> readPageReply(std::string_view reply);
Request writePageRequest(std::string_view nick, std::string_view pw, const PersonalPage& page);

// The photo: uploaded as a form of bytes, fetched as a plain picture beside the account address.
inline constexpr std::size_t kMaxPhotoBytes = 200 * 1024;
Request photoUploadRequest(std::string_view nick, std::string_view pw, std::string_view jpeg);
// "ok" only: a reply "bad" (not a picture the service takes) or "no" is a failure.
bool readPhotoUploadReply(std::string_view reply);
// The photo's address: the service's base (the account address without its last part) with
// "/photos/", the nick and ".jpg".
std::string photoAddress(std::string_view accountAddress, std::string_view nick);
// Whether the bytes begin and end as a JPEG picture does; the service checks them in full.
bool looksLikeJpeg(std::string_view bytes);

// The checks of a transfer against the balance the window knows, made before any request: more
// than the balance is refused first, then an empty transfer.
enum class TransferCheck { Allowed, NotEnough, Empty };
TransferCheck checkTransfer(std::int64_t amount, std::int64_t balance);
// The amount field: decimal digits only, at most nine; nothing for anything else.
std::optional<std::int64_t> transferAmount(std::string_view text);
// The question before a transfer: the question's words, a blank, the nick in double quotes, a
// blank, the amount, a blank, the currency's name and "?".
std::string transferQuestion(std::string_view question, std::string_view nick, std::int64_t amount,
                             std::string_view zors);

}  // namespace orvala::online
