// Code resolution and article codes on a real store database.
#include "lookup/article_lookup.h"

#include <gtest/gtest.h>

#include <string>

#include "lookup/lookup_store.h"

namespace gw::lookup::test {
namespace {

class ArticleLookupTest : public LookupTest {
 protected:
  void SetUp() override {
    sql(store(), R"(
      INSERT INTO articolo (codart, desart) VALUES (1234567, 'PASTA');
      INSERT INTO articolo (codart, desart) VALUES (12345678, 'CAFFE');
      INSERT INTO articolo (codart, desart) VALUES (12345, 'BISCOTTI');
      INSERT INTO codean (eanare, codare) VALUES ('8001234567897', 1234567);
      INSERT INTO codean (eanare, codare) VALUES ('8000000012345', 12345);
      INSERT INTO codean (eanare, codare) VALUES ('8000000012352', 12345);
      INSERT INTO codean (eanare, codare) VALUES ('8000000001236', 1236);
      INSERT INTO codean (eanare, codare) VALUES ('0001234567890', 4711);
      INSERT INTO codean (eanare, codare) VALUES ('0001234567895', 123456789);
      INSERT INTO codean (eanare, codare) VALUES ('8009999999992', 9999999);
      INSERT INTO codean (eanare, codare) VALUES ('2000123000008', 555);
      INSERT INTO codean (eanare, codare) VALUES ('2000123999994', 556);
      INSERT INTO codean (eanare, codare) VALUES ('2000124000007', 557);
      INSERT INTO codean (eanare, codare) VALUES ('0002345000009', 558);
      INSERT INTO codean (eanare, codare) VALUES ('2999999000001', 559);
      INSERT INTO codean (eanare, codare) VALUES ('12345', NULL);
    )");
  }

  // "Outcome ean codcasa", the ean between quotes so that blanks show.
  std::string resolve(std::string_view typed) {
    ResolvedCode code = ResolveTypedCode(store(), typed);
    const char* outcome = code.outcome == ResolvedCode::Outcome::Found      ? "Found"
                          : code.outcome == ResolvedCode::Outcome::NotFound ? "NotFound"
                                                                            : "NotACode";
    return std::string(outcome) + " '" + code.ean + "' " + std::to_string(code.codcasa);
  }
};

TEST_F(ArticleLookupTest, ResolvesTypedCodes) {
  struct {
    const char* typed;
    const char* resolved;
  } cases[] = {
      // 0 is the check digit of 1234567: the article without it.
      {"12345670", "Found '8001234567897' 1234567"},
      {" 12345670 ", "Found '8001234567897' 1234567"},
      // 8 is not: 12345678 is an article of "articolo" only, kept as typed.
      {"12345678", "Found '12345678' 12345678"},
      // 6 is the check digit of 123, which is nothing; 1236 itself has a code,
      // and the code stays as typed.
      {"1236", "Found '1236' 1236"},
      // Without the last digit, then without the last two.
      {"123456", "Found '8000000012345' 12345"},
      {"1234599", "Found '8000000012345' 12345"},
      {"777", "NotFound '0000000000777' 7"},
      // Ten digits and 999999999 are EANs, never internal codes.
      {"1234567890", "NotFound '0001234567890' 0"},
      {"999999999", "NotFound '0000999999999' 0"},
      {"999999998", "Found '8009999999992' 9999999"},
      // Twelve characters get the leading zero.
      {"800123456789", "NotFound '0800123456789' 0"},
      {"2000123012506", "NotFound '2000123012506' 0"},
      {"ABC", "NotACode '' 0"},
      {"-5", "NotACode '' 0"},
      {"", "NotACode '' 0"},
  };
  for (const auto& c : cases) EXPECT_EQ(resolve(c.typed), c.resolved) << c.typed;
}

TEST_F(ArticleLookupTest, FindsInStoreCodesByTheirFirstSevenCharacters) {
  EXPECT_EQ(InStoreArticle(store(), "2000123012506"), 555);  // the first row written
  EXPECT_EQ(InStoreArticle(store(), "2000124"), 557);
  EXPECT_EQ(InStoreArticle(store(), "2999999123456"), 559);
  EXPECT_EQ(InStoreArticle(store(), "2000125000000"), std::nullopt);
  // Fewer than seven digits compare as numbers: 0002345 is 2345.
  EXPECT_EQ(InStoreArticle(store(), "2345         "), 558);
  EXPECT_EQ(InStoreArticle(store(), "2X00123000008"), std::nullopt);
  EXPECT_EQ(InStoreArticle(store(), ""), std::nullopt);
}

TEST_F(ArticleLookupTest, FindsCodesByArticleAndArticlesByCode) {
  ArticleCodes codes(store());
  EXPECT_EQ(codes.eanOf(12345), "8000000012345");
  EXPECT_EQ(codes.eanOf(99), std::nullopt);
  EXPECT_EQ(codes.articleOf("8001234567897"), 1234567);
  EXPECT_EQ(codes.articleOf("12345        "), 0);  // the row names no article
  EXPECT_EQ(codes.articleOf("800123456789"), std::nullopt);
  EXPECT_EQ(codes.articleOf("80012345678970"), std::nullopt);
}

TEST(CodeText, ReadsAndWritesCodes) {
  EXPECT_EQ(WithLeadingZero("800123456789"), "0800123456789");
  EXPECT_EQ(WithLeadingZero("8001234567897"), "8001234567897");
  EXPECT_EQ(WithLeadingZero("12345"), "12345");
  EXPECT_EQ(CodeNumber(" 42 "), 42);
  EXPECT_EQ(CodeNumber("12,5"), 12.5);
  EXPECT_EQ(CodeNumber("4A"), std::nullopt);
  EXPECT_EQ(Ean13(1234567), "0000001234567");
  EXPECT_TRUE(IsInStoreCode("2000123000008"));
  EXPECT_FALSE(IsInStoreCode("8000123000008"));
  EXPECT_FALSE(IsInStoreCode(""));
}

}  // namespace
}  // namespace gw::lookup::test
