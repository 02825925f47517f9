#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "Kolvemar_Constanten_en_Types.h"

namespace K = Kolvemar_Constanten_en_Types;

namespace {

std::string WriteTemp(const std::string& name, const std::string& text) {
    const std::string path = testing::TempDir() + name;
    std::ofstream(path, std::ios::binary) << text;
    return path;
}

} // namespace

TEST(Constants, OneLineReadsLikeOneValuePerLine) {
    ASSERT_TRUE(K::LeesConstanten(WriteTemp("c1.txt", "7 2 4.5 5000 640 90 1 2 3 5 60.25")));
    const auto one_line = std::make_tuple(
        K::aantal_levels, K::aantal_tutoriallevels, K::bewegingssnelheid, K::maxtime,
        K::schermgrootte, K::grootte_informatiebalk, K::groottespeler, K::grootteaanvalsgroep1,
        K::grootteaanvalsgroep2, K::groottekogels, K::grote_exposies);
    ASSERT_TRUE(K::LeesConstanten(WriteTemp(
        "c2.txt", "7\r\n2\r\n4.5\r\n5000\r\n640\r\n90\r\n1\r\n2\r\n3\r\n5\r\n60.25\r\n")));
    EXPECT_EQ(one_line,
              std::make_tuple(K::aantal_levels, K::aantal_tutoriallevels, K::bewegingssnelheid,
                              K::maxtime, K::schermgrootte, K::grootte_informatiebalk,
                              K::groottespeler, K::grootteaanvalsgroep1, K::grootteaanvalsgroep2,
                              K::groottekogels, K::grote_exposies));
    EXPECT_EQ(K::schermgrootte, 640u);
    EXPECT_FLOAT_EQ(K::grote_exposies, 60.25f);
}

TEST(Constants, Code26SeparatesAndMalformedValuesReadAsZero) {
    ASSERT_TRUE(K::LeesConstanten(WriteTemp("c3.txt", "1\x1a"
                                                      "2 x 10 800 100 0 0 0 4 1e1")));
    EXPECT_EQ(K::aantal_levels, 1u);
    EXPECT_EQ(K::aantal_tutoriallevels, 2u);
    EXPECT_EQ(K::bewegingssnelheid, 0.0f);
    EXPECT_EQ(K::maxtime, 10);
    EXPECT_FLOAT_EQ(K::grote_exposies, 10.0f);
}

TEST(Constants, MissingFileIsReported) {
    EXPECT_FALSE(K::LeesConstanten(testing::TempDir() + "no-such-constants.txt"));
}

TEST(Constants, NonFiniteOrHexadecimalRealsReadAsZero) {
    ASSERT_TRUE(K::LeesConstanten(WriteTemp("c4.txt", "1 2 nan 10 800 100 0 0 0 4 inf")));
    EXPECT_EQ(K::bewegingssnelheid, 0.0f);
    EXPECT_EQ(K::grote_exposies, 0.0f);
    ASSERT_TRUE(K::LeesConstanten(WriteTemp("c5.txt", "1 2 0x10 10 800 100 0 0 0 4 1e39")));
    EXPECT_EQ(K::bewegingssnelheid, 0.0f);
    EXPECT_EQ(K::grote_exposies, 0.0f);
}

TEST(Constants, AWindowSizeTheGameCannotBePlayedInIsNamed) {
    const uint32_t side = K::schermgrootte, bar = K::grootte_informatiebalk;
    K::grootte_informatiebalk = 100;
    for (uint32_t good : {300u, 800u, 8192u}) {
        K::schermgrootte = good;
        EXPECT_EQ(K::Schermgrootteprobleem(), "") << good;
    }
    K::schermgrootte = 1;
    EXPECT_EQ(K::Schermgrootteprobleem(),
              "\"Constanten.txt\": schermgrootte 1 leaves no room for the game: the information "
              "bar of 100 pixels, the walls and the arena need a window of 300 or more");
    for (uint32_t bad : {0u, 299u}) {
        K::schermgrootte = bad;
        EXPECT_NE(K::Schermgrootteprobleem(), "") << bad;
    }
    K::schermgrootte = 100000;
    EXPECT_EQ(K::Schermgrootteprobleem(),
              "\"Constanten.txt\": schermgrootte 100000 is larger than a window can be (8192 at "
              "most)");
    K::schermgrootte = 8193;
    EXPECT_NE(K::Schermgrootteprobleem(), "");
    K::grootte_informatiebalk = 4294967295u; // no overflow in the sum
    K::schermgrootte = 800;
    EXPECT_NE(K::Schermgrootteprobleem(), "");
    K::schermgrootte = side;
    K::grootte_informatiebalk = bar;
}
