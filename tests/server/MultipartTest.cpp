#include "server/Multipart.h"

#include "ProtocolClient.h"

#include <gtest/gtest.h>

namespace {

std::optional<QList<MultipartPart>> parse(const std::string& body)
{
    return Multipart::parse(QByteArray::fromStdString(body), QByteArray::fromStdString(Boundary));
}

TEST(MultipartTest, ReadsTheDesktopUploadWhoseClosingBoundaryLacksItsLineBreak)
{
    const auto parts = parse(fileFormBody("tok", "a&b.txt", "lesson_id", "12", "1", "line one\r\n--not a boundary"));
    ASSERT_TRUE(parts);
    ASSERT_EQ(parts->size(), 6);
    EXPECT_EQ(parts->at(1).name, QStringLiteral("authenticity_token"));
    EXPECT_EQ(parts->at(1).data, "tok");
    EXPECT_EQ(parts->at(5).name, QStringLiteral("attachfile[attach]"));
    EXPECT_EQ(parts->at(5).fileName, QStringLiteral("a&b.txt"));
    EXPECT_EQ(parts->at(5).contentType, "text/plain");
    EXPECT_EQ(parts->at(5).data, "line one\r\n--not a boundary");
    EXPECT_FALSE(parts->at(0).fileName.has_value());
}

TEST(MultipartTest, ReadsAReuploadThatEndsOnAnOpeningBoundary)
{
    const auto parts = parse(fileFormBody("tok", "a.txt", "lesson_id", "12", "0", std::nullopt));
    ASSERT_TRUE(parts);
    ASSERT_EQ(parts->size(), 5);
    EXPECT_EQ(parts->last().name, QStringLiteral("publish"));
    EXPECT_EQ(parts->last().data, "0");
}

TEST(MultipartTest, ReadsStandardBodiesWithEpilogue)
{
    const auto parts = parse("--" + Boundary + "\r\nContent-Disposition: form-data; name=\"a\"\r\n\r\n1\r\n--"
        + Boundary + "--\r\nepilogue");
    ASSERT_TRUE(parts);
    ASSERT_EQ(parts->size(), 1);
    EXPECT_EQ(parts->first().data, "1");
}

TEST(MultipartTest, RefusesBodiesThatAreNotForms)
{
    EXPECT_FALSE(parse(""));
    EXPECT_FALSE(parse("hello"));
    EXPECT_FALSE(parse("--" + Boundary + "\r\nContent-Disposition: form-data; name=\"a\"\r\n\r\nno end"));
    EXPECT_FALSE(parse("--" + Boundary + "\r\nContent-Type: text/plain\r\n\r\nnameless\r\n--" + Boundary + "--"));
    EXPECT_FALSE(parse(
        "--" + Boundary + "\r\nContent-Disposition: form-data; name=\"a\"\r\n\r\n1\r\n--" + Boundary + "garbage"));
}

TEST(MultipartTest, FindsTheBoundaryInTheContentType)
{
    EXPECT_EQ(Multipart::boundary("multipart/form-data; boundary=0xKhTmLbOuNdArY"), "0xKhTmLbOuNdArY");
    EXPECT_EQ(Multipart::boundary("multipart/form-data; boundary=\"x-mime-boundary://1-2\"; charset=utf-8"),
        "x-mime-boundary://1-2");
    EXPECT_FALSE(Multipart::boundary("multipart/form-data"));
    EXPECT_FALSE(Multipart::boundary("multipart/form-data; boundary="));
}

} // namespace
