#include "core/online/account_page.h"

#include "core/online/reply_readers.h"

namespace orvala::online {
namespace {

constexpr std::array<std::string_view, kPageFields> kPageKeys{
    "namei", "name2", "about",    "telephone", "emailo",  "website",    "skype",
    "ok",    "vk",    "telegram", "facebook",  "twitter", "instagramm", "youtube"};

}  // namespace

std::size_t pageFieldMax(PageField f) {
    switch (f) {
        case PageField::Name1:
        case PageField::Name2:
        case PageField::Telephone:
            return 20;
        case PageField::FaceBook:
            return 60;
        default:
            return 50;
    }
}

std::string pageValue(PageField f, std::string_view text) {
    std::string out(text.substr(0, pageFieldMax(f)));
    for (char& c : out)
        if (c == '~' || c == '$' || static_cast<unsigned char>(c) < 0x20) c = '_';
    return out;
}

Request readPageRequest(std::string_view nick) {
    Request r;
    r.path = "/page-read";
    r.style = Style::Form;
    r.fields = {{"nick", std::string(nick)}, {"labelinforead", "0"}};
    return r;
}

std::optional<PersonalPage> readPageReply(std::string_view reply) {
    if (ReplyMarker(reply, "no")) return std::nullopt;
    const auto f = ReplyRecord(reply, '~');
    if (!f || f->count() < kPageFields) return std::nullopt;
    PersonalPage page;
    for (std::size_t i = 0; i < kPageFields; ++i) {
        std::string v = f->field(i + 1);
        page.fields[i] = v == "#" ? std::string() : v;
    }
    return page;
}

Request writePageRequest(std::string_view nick, std::string_view pw, const PersonalPage& page) {
    Request r;
    r.path = "/page-write";
    r.style = Style::Raw;
    r.fields = {{"nick", std::string(nick)}, {"pw", std::string(pw)}, {"labelinfosave", "0"}};
    for (std::size_t i = 0; i < kPageFields; ++i)
        r.fields.push_back(
            {std::string(kPageKeys[i]), pageValue(static_cast<PageField>(i), page.fields[i])});
    return r;
}

Request photoUploadRequest(std::string_view nick, std::string_view pw, std::string_view jpeg) {
    Request r;
    r.path = "/photo-upload";
    r.style = Style::FormBytes;
    r.fields = {{"nick", std::string(nick)}, {"pw", std::string(pw)}, {"photo", std::string(jpeg)}};
    return r;
}

bool readPhotoUploadReply(std::string_view reply) {
    return ReplyMarker(reply, "ok");
}

std::string photoAddress(std::string_view accountAddress, std::string_view nick) {
    std::string_view base = accountAddress;
    const std::size_t slash = base.rfind('/');
    if (slash != std::string_view::npos && slash > base.find("//") + 1)
        base = base.substr(0, slash);
    return std::string(base) + "/photos/" + std::string(nick) + ".jpg";
}

bool looksLikeJpeg(std::string_view bytes) {
    return bytes.size() >= 4 && bytes.size() <= kMaxPhotoBytes && bytes.starts_with("\xFF\xD8") &&
           bytes.ends_with("\xFF\xD9");
}

TransferCheck checkTransfer(std::int64_t amount, std::int64_t balance) {
    if (amount > balance) return TransferCheck::NotEnough;
    if (amount <= 0) return TransferCheck::Empty;
    return TransferCheck::Allowed;
}

std::optional<std::int64_t> transferAmount(std::string_view text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    std::int64_t n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        n = n * 10 + (c - '0');
    }
    return n;
}

std::string transferQuestion(std::string_view question, std::string_view nick, std::int64_t amount,
                             std::string_view zors) {
    return std::string(question) + " \"" + std::string(nick) + "\" " + std::to_string(amount) +
           " " + std::string(zors) + "?";
}

}  // namespace orvala::online
