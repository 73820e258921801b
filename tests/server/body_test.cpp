// The body decoders and the photo check, which read untrusted bytes. The fuzz target's corpus is
// replayed through its entry point; the corpus is what `bodyCorpus()` makes (write it again with
// ORVALA_REGENERATE_CORPUS=1 build/bin/test_service_body).

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>

#include "core/text/atomic_file.h"
#include "http/form_body.h"
#include "service/jpeg_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace orvala::service {
namespace {

TEST(FormBody, BothStylesDecodeAndRefuseWhatTheyCannotRead) {
    const auto form = decodeFormBody("nick=Ann+Lee&city=%D0%9E%D0%BC%D1%81%D0%BA&&empty=");
    ASSERT_TRUE(form.fields) << form.problem;
    EXPECT_EQ(form.fields->get("nick"), "Ann Lee");
    EXPECT_EQ(form.fields->get("city"), "\xce\xec\xf1\xea") << "UTF-8 becomes Windows-1251";
    EXPECT_TRUE(form.fields->has("empty"));
    EXPECT_EQ(decodeFormBody("photo=%FF%D8", FormText::Bytes).fields->get("photo"), "\xFF\xD8");

    const auto rawBody = decodeRawBody("R10=a+b%41*&city=\xce\xec\xf1\xea");
    ASSERT_TRUE(rawBody.fields);
    EXPECT_EQ(rawBody.fields->get("R10"), "a+b%41*") << "raw values are taken as they are";
    EXPECT_EQ(rawBody.fields->get("city"), "\xce\xec\xf1\xea");

    for (const char* bad : {"a=%4", "a=%G1", "a", "=1", "a=1&a=2"})
        EXPECT_FALSE(decodeFormBody(bad).fields) << bad;
    EXPECT_FALSE(decodeRawBody(std::string(65, 'k') + "=1").fields);
    std::string many;
    for (int i = 0; i < 65; ++i) many += "k" + std::to_string(i) + "=1&";
    EXPECT_EQ(decodeRawBody(many).problem, "too many fields");
    EXPECT_EQ(decodeRawBody("").fields->pairs().size(), 0u);
}

TEST(JpegCheck, AcceptsSaneFramesOnly) {
    auto jpeg = [](int w, int h, const std::string& before = "") {
        std::string j = "\xFF\xD8" + before;
        j += std::string("\xFF\xC2\x00\x0B\x08", 5);
        j += {static_cast<char>(h >> 8), static_cast<char>(h), static_cast<char>(w >> 8),
              static_cast<char>(w)};
        j += std::string("\x01\x01\x11\x00\xFF\xD9", 6);
        return j;
    };
    const auto ok = checkJpeg(jpeg(200, 250, std::string("\xFF\xE1\x00\x04zz", 6)));
    EXPECT_TRUE(ok.ok) << ok.problem;
    EXPECT_EQ(ok.width, 200);
    EXPECT_EQ(ok.height, 250);
    EXPECT_FALSE(checkJpeg(jpeg(8, 250)).ok);
    EXPECT_FALSE(checkJpeg(jpeg(200, 2001)).ok);
    EXPECT_FALSE(checkJpeg(jpeg(200, 250, std::string("\xFF\xE1\xFF\xFF", 4))).ok);
    EXPECT_FALSE(checkJpeg(std::string("\xFF\xD8\xFF\xD9", 4)).ok);
    const std::string good = jpeg(200, 250);
    for (std::size_t n = 0; n < good.size(); ++n)
        EXPECT_FALSE(checkJpeg(good.substr(0, n)).ok) << "cut at " << n;
}

std::vector<std::pair<std::string, std::string>> bodyCorpus() {
    return {
        {"form_register.txt", "nick=alice&pw=secret1&city=%D0%9E%D0%BC%D1%81%D0%BA&label0=0"},
        {"raw_chat.txt",
         "gid=100&nick=Ann&city=Omsk&country=1-001&score=7&R7=W&R8=5.7f&R9="
         "12.00_1.1.2026&R10=\xcf\xf0\xe8\xe2\xe5\xf2*"},
        {"bad_escape.txt", "nick=%4"},
        {"bad_twice.txt", "a=1&a=2"},
        {"jpeg_small.jpg", std::string("\xFF\xD8\xFF\xC0\x00\x0B\x08\x00\xFA\x00\xC8\x01\x01\x11"
                                       "\x00\xFF\xD9",
                                       17)},
    };
}

TEST(BodyCorpus, TheCheckedInFilesAreTheGeneratedOnesAndReadSafely) {
    const std::filesystem::path dir = ORVALA_BODY_CORPUS;
    if (std::getenv("ORVALA_REGENERATE_CORPUS")) {
        std::filesystem::create_directories(dir);
        for (const auto& [name, bytes] : bodyCorpus())
            std::ofstream(dir / name, std::ios::binary) << bytes;
        GTEST_SKIP() << "regenerated " << dir;
    }
    for (const auto& [name, bytes] : bodyCorpus()) {
        std::string file;
        ASSERT_TRUE(readFileBytes((dir / name).string(), file)) << name;
        EXPECT_EQ(file, bytes) << name;
    }
    std::mt19937 rng(5);
    for (const auto& entry : std::filesystem::directory_iterator(dir)) {
        std::string bytes;
        ASSERT_TRUE(readFileBytes(entry.path().string(), bytes));
        for (int i = 0; i < 3000; ++i) {
            std::string damaged = bytes;
            for (int k = 1 + static_cast<int>(rng() % 3); k > 0 && !damaged.empty(); --k)
                damaged[rng() % damaged.size()] = static_cast<char>(rng());
            EXPECT_EQ(LLVMFuzzerTestOneInput(reinterpret_cast<const std::uint8_t*>(damaged.data()),
                                             damaged.size()),
                      0);
        }
    }
}

}  // namespace
}  // namespace orvala::service
