// The request bodies as the service reads them, and the service's addresses: the configuration
// page, the stored (enciphered) addresses and the cipher.

#include <gtest/gtest.h>

#include "core/online/countries.h"
#include "core/online/operations.h"
#include "core/online/service_addresses.h"

namespace orvala::online {
namespace {

TEST(Bodies, FormStyleEncodesRawStyleDoesNot) {
    // "Тверь" in Windows-1251.
    const std::string tver = "\xD2\xE2\xE5\xF0\xFC";
    EXPECT_EQ(formBody({{"nick", "a b&c"}, {"city", tver}}),
              "nick=a%20b%26c&city=%D0%A2%D0%B2%D0%B5%D1%80%D1%8C");
    const Request r = recordsNearRequest(55, "ann", tver);
    EXPECT_EQ(r.body(), "gid=55&nick=ann&city=" + tver);
    EXPECT_EQ(r.timeoutMs, kShortTimeoutMs);
    // A value cannot forge another field of a raw body.
    EXPECT_EQ(rawBody({{"nick", "ann&pw=x"}}), "nick=ann_pw_x");
}

TEST(Bodies, TheOperationsFields) {
    Account a;
    a.Nick = "ann";
    a.Pw = "secret";
    a.City = "Tver";
    a.EMail = "ann@x.ru";
    a.DateR = "09.12.2026";
    EXPECT_EQ(registerRequest(a).body(),
              "nick=ann&pw=secret&city=Tver&country1=Russia&country2=1-001&sex=M&email=ann@x.ru&"
              "dater=09.12.2026&R01=xxx&R02=xxx&R03=xxx&R04=0&R05=0&R06=0");
    GameResults g;
    g.Kon = 1;
    g.Rating = -1999.96;
    EXPECT_EQ(writeResultsRequest("ann", "secret", g).body(),
              "nick=ann&pw=secret&crdorvalkon=1&crdorvalbest=0&crdorvalrating=-1999.96&"
              "crdorvalses=0&crdorvalkonl=0&crdorvalscore=0&crdorvalR1=0&crdorvalR2=#");
    RecordEntry e;
    e.nick = "Incognito";
    e.city = "Moscow";
    e.country = "1-001";
    e.score = 420;
    EXPECT_EQ(recordWriteRequest(e).body(),
              "gid=55&nick=Incognito&city=Moscow&country=1-001&score=420&R7=M&R8=5.7f&R9=#&R10=#*");
    e.gid = kAccountTable;
    e.pw = "secret";
    EXPECT_NE(recordWriteRequest(e).body().find("&pw=secret&"), std::string::npos);
    EXPECT_EQ(gameReportRequest({1, 0, 120}).body(),
              "gid=55&R1=1&R2=0&R3=120&R4=0&R5=0&R6=0&R7=0&R8=0&R9=0&R10=0&R11=0&R12=0");
    EXPECT_EQ(startReportRequest(true).body(), "gid=55&stat1=1&stat2=1");
    EXPECT_EQ(ratingTopRequest().body(), "crdorvalkon=0");
}

TEST(Addresses, ConfigurationPageAndStoredAddresses) {
    ServiceAddresses a = addressesAt("http://127.0.0.1:8787/");
    EXPECT_EQ(a.of(Address::Records), "http://127.0.0.1:8787/rec");
    EXPECT_EQ(a.of(Address::Account), "http://127.0.0.1:8787/acc");

    applyConfigPage("WTGamesPatt=http://h:1/rec#\nStatPath=" + encipherAddress("https://s/stat/") +
                        "#\nAccPath=garbage#\n",
                    a);
    EXPECT_EQ(a.records, "http://h:1/rec");
    EXPECT_EQ(a.statistics, "https://s/stat");
    EXPECT_EQ(a.account, "http://127.0.0.1:8787/acc");  // an unreadable value keeps the old one
    EXPECT_FALSE(a.recordsPaused);

    applyConfigPage("CTGamesPause WTGamesPause WTGamesPatt=http://other/rec#", a);
    EXPECT_TRUE(a.chatPaused);
    EXPECT_TRUE(a.recordsPaused);
    EXPECT_EQ(a.records, "http://h:1/rec");

    ServiceAddresses stored = addressesAt("http://127.0.0.1:8787");
    applyStoredAddresses("#", encipherAddress("http://x/stat"), stored);
    EXPECT_EQ(stored.records, "http://127.0.0.1:8787/rec");
    EXPECT_EQ(stored.statistics, "http://x/stat");
}

// What a player types as the service's address: a web address with a host, or nothing.
TEST(Addresses, AServiceBaseIsAWebAddressWithAHost) {
    EXPECT_EQ(serviceBase("  http://cards.example.org:8443/orvala//  "),
              "http://cards.example.org:8443/orvala");
    EXPECT_EQ(serviceBase("https://10.0.0.5"), "https://10.0.0.5");
    EXPECT_EQ(serviceBase("http://[::1]:8787/"), "http://[::1]:8787");
    EXPECT_EQ(serviceBase("http://[::1]"), "http://[::1]");
    for (const char* refused :
         {"", "127.0.0.1:8787", "ftp://host", "http://", "http://:8787", "http://host:0",
          "http://host:65536", "http://host:80x", "http://host:", "http://a b", "http://host/#x",
          "http://host/?q=1", "http://user@host", "http://h\xF6st"})
        EXPECT_EQ(serviceBase(refused), std::nullopt) << refused;
}

TEST(Addresses, TheCipherReversesAndRejectsForeignText) {
    const std::string plain = "http://127.0.0.1:8787/rec";
    const std::string secret = encipherAddress(plain);
    EXPECT_EQ(secret.find(plain), std::string::npos);
    EXPECT_EQ(secret.find_first_not_of("ABCDEFGHIJKLMNOP"), std::string::npos);
    EXPECT_EQ(decipherAddress(secret), plain);
    EXPECT_FALSE(decipherAddress("#"));
    EXPECT_FALSE(decipherAddress("ABC"));
    EXPECT_FALSE(decipherAddress("AZ"));
}

}  // namespace
}  // namespace orvala::online

namespace orvala::online {
namespace {

TEST(Countries, CodesNamesAndShortNames) {
    int total = 0;
    for (int c = 1; c <= kContinents; ++c) {
        total += countryCount(c);
        for (int n = 0; n <= countryCount(c); ++n) {
            const auto k = countryByCode(countryCode(c, n));
            ASSERT_TRUE(k);
            EXPECT_FALSE(k->shortName.empty());
            EXPECT_EQ(k->shortName.find(' '), std::string_view::npos) << countryCode(c, n);
        }
    }
    EXPECT_EQ(total, 225);
    EXPECT_EQ(countryByCode("1-001")->name, "Russia");
    EXPECT_EQ(countryByCode("1-007")->shortName, "Bosnia_Herz.");
    EXPECT_EQ(countryByCode("6-012")->shortName, "Congo_Rep.");
    EXPECT_EQ(countryByCode("2-000")->name, "Unknown");
    EXPECT_FALSE(countryByCode("1-049"));
    EXPECT_FALSE(countryByCode("7-001"));
    EXPECT_FALSE(countryByCode("1_001"));
}

}  // namespace
}  // namespace orvala::online
