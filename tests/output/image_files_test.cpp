#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTemporaryDir>

#include "../support/file_checks.h"
#include "output/animated_gif.h"
#include "output/gif_encoder.h"
#include "output/image_files.h"

namespace kalvor::test {
namespace {

// A drawing-like picture: white with a red square and a blue line.
QImage drawing(int width = 60, int height = 40) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.fillRect(5, 5, 15, 15, QColor(255, 0, 0));
    painter.fillRect(0, height - 3, width, 1, QColor(0, 0, 255));
    painter.end();
    return image;
}

// Every pixel a different colour: more than 256 colours.
QImage rainbow(int shift = 0) {
    QImage image(40, 40, QImage::Format_RGB32);
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 40; ++x)
            image.setPixel(x, y, qRgb(x * 6 + shift, y * 6, (x + y) * 3));
    return image;
}

// The mean difference per colour channel (lossy formats blur sharp edges).
double channelDifference(const QImage& a, const QImage& b) {
    if (a.size() != b.size()) return 255;
    long long sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) +
                   std::abs(qBlue(p) - qBlue(q));
        }
    return static_cast<double>(sum) / (3.0 * a.width() * a.height());
}

class ImageFile : public ::testing::Test {
protected:
    QTemporaryDir folder;
    std::string path(const char* name) const { return (folder.path() + "/" + name).toStdString(); }
};

TEST_F(ImageFile, DecodesBackToTheDrawing) {
    const struct {
        const char* file;
        int tolerance;           // largest channel difference after decoding
        std::string_view magic;  // the file's first bytes
    } rows[] = {{"a.png", 0, "\x89PNG"},
                {"a.bmp", 0, "BM"},
                {"a.JPG", 6, "\xFF\xD8\xFF"},
                {"a.gif", 0, "GIF89a"}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        const std::string file = path(row.file);
        ASSERT_EQ(saveImageFile(drawing(), file, {false}), std::nullopt);
        const std::string bytes = readBytes(QString::fromStdString(file));
        EXPECT_EQ(bytes.substr(0, row.magic.size()), row.magic);
        const QImage back = loadPictureFile(file);
        ASSERT_EQ(back.size(), drawing().size());
        EXPECT_LE(channelDifference(back, drawing()), row.tolerance);
        // Qt's own readers agree (the GIF through another decoder than ours).
        const QImage qtBack(QString::fromStdString(file));
        ASSERT_FALSE(qtBack.isNull());
        EXPECT_LE(channelDifference(qtBack, drawing()), row.tolerance);
    }
}

TEST_F(ImageFile, BitmapHasTwentyFourBitsPerPixel) {
    const std::string file = path("b.bmp");
    ASSERT_EQ(saveImageFile(drawing(), file), std::nullopt);
    const std::string bytes = readBytes(QString::fromStdString(file));
    ASSERT_GT(bytes.size(), 30u);
    EXPECT_EQ(static_cast<int>(bytes[28]), 24);
}

TEST_F(ImageFile, FailureLeavesNoFileAndTellsWhy) {
    const std::string missing = path("geen/map/a.png");
    const auto problem = saveImageFile(drawing(), missing);
    ASSERT_TRUE(problem.has_value());
    EXPECT_NE(problem->find(missing), std::string::npos);
    EXPECT_FALSE(QFile::exists(QString::fromStdString(missing)));
    // An existing file survives a failed save of another kind.
    const std::string kept = path("a.gif");
    ASSERT_EQ(saveImageFile(drawing(), kept), std::nullopt);
    const std::string before = readBytes(QString::fromStdString(kept));
    EXPECT_TRUE(saveImageFile(QImage(), kept).has_value());
    EXPECT_EQ(readBytes(QString::fromStdString(kept)), before);
    EXPECT_TRUE(saveImageFile(drawing(), path("a.tiff")).has_value());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"a.gif"});
}

TEST_F(ImageFile, WhiteIsTransparentOnlyWhenAsked) {
    for (bool transparent : {false, true}) {
        const std::string file = path(transparent ? "t.gif" : "o.gif");
        ASSERT_EQ(saveImageFile(drawing(), file, {transparent}), std::nullopt);
        const QImage back(QString::fromStdString(file));
        EXPECT_EQ(qAlpha(back.pixel(0, 0)) == 0, transparent);
        EXPECT_EQ(qAlpha(back.pixel(10, 10)), 255);
    }
}

// What gifsicle reports about a file, or "" when it is not installed.
std::string gifInfo(const std::string& bytes, QTemporaryDir& folder) {
    if (!haveProgram("gifsicle")) return {};
    const QString file = folder.path() + "/info.gif";
    writeBytes(file, bytes);
    std::string out;
    runProgram("gifsicle", {"--info", file}, &out);
    return out;
}

TEST_F(ImageFile, SavedGifIsInterlacedWithAGlobalPalette) {
    const std::string file = path("i.gif");
    ASSERT_EQ(saveImageFile(drawing(), file), std::nullopt);
    const std::string info = gifInfo(readBytes(QString::fromStdString(file)), folder);
    if (info.empty()) GTEST_SKIP() << "gifsicle is not installed";
    for (const char* text : {"1 image", "global color table [4]", "interlaced", "transparent"})
        EXPECT_NE(info.find(text), std::string::npos) << text << " in\n" << info;
    EXPECT_EQ(info.find("loop"), std::string::npos);
}

struct AnimationCase {
    const char* name;
    std::vector<QImage> images;
    int delayMs;
    bool global;                  // the frames shared one palette
    std::vector<std::string> in;  // gifsicle --info says these
    std::vector<std::string> notIn;
};

void expectAnimation(const AnimationCase& c) {
    std::vector<GifFrame> frames;
    for (const QImage& image : c.images)
        frames.push_back({image, c.delayMs, true, kWhite, 2});
    std::vector<int> progress;
    GifOptions options;
    options.progress = [&progress](int percent) { progress.push_back(percent); };
    std::string bytes;
    const GifResult result = encodeGif(frames, options, bytes);
    ASSERT_TRUE(result.ok) << result.errorText;
    EXPECT_EQ(result.globalPalette, c.global);
    EXPECT_EQ(progress.back(), 100);
    EXPECT_EQ(progress.size(), frames.size());
    EXPECT_EQ(bytes.find("NETSCAPE2.0") != std::string::npos, frames.size() > 1);
    EXPECT_LE(channelDifference(decodeGif(bytes), c.images.front()), c.global ? 0 : 10);

    QTemporaryDir folder;
    const std::string info = gifInfo(bytes, folder);
    if (info.empty()) return;  // gifsicle is not installed
    for (const std::string& text : c.in)
        EXPECT_NE(info.find(text), std::string::npos) << text << " in\n" << info;
    for (const std::string& text : c.notIn)
        EXPECT_EQ(info.find(text), std::string::npos) << text << " in\n" << info;
}

TEST(Animation, EncodesFramesDelaysAndPalettes) {
    const AnimationCase rows[] = {
        {"OneFrameDoesNotLoop", {drawing()}, 500, true, {"1 image", "delay 0.50s"}, {"loop"}},
        {"FramesLoopForever",
         {drawing(), drawing().mirrored(), drawing()},
         10,
         true,
         {"3 images", "loop forever", "delay 0.01s", "disposal background", "transparent 0"},
         {"local color table"}},
        {"TooManyColoursGiveLocalPalettes",
         {rainbow(0), rainbow(5)},
         100,
         false,
         {"local color table [256]", "delay 0.10s"},
         {"global color table"}},
    };
    for (const AnimationCase& row : rows) {
        SCOPED_TRACE(row.name);
        expectAnimation(row);
    }
}

TEST(GifEncoder, ReportsFailuresWithGiflibsText) {
    std::string bytes = "alt";
    const GifResult result = encodeGif({}, {}, bytes);
    EXPECT_FALSE(result.ok);
    EXPECT_NE(result.errorCode, 0);
    EXPECT_FALSE(result.errorText.empty());
    EXPECT_TRUE(bytes.empty());
    // A side beyond 16 bits cannot be stored; it is refused rather than wrapped.
    for (const QSize size : {QSize(65536, 1), QSize(1, 65536)})
        EXPECT_FALSE(encodeGif({{QImage(size, QImage::Format_RGB32)}}, {}, bytes).ok)
            << size.width();
}

TEST_F(ImageFile, BuilderJoinsGifAndBitmapFilesOrLeavesNothing) {
    ASSERT_EQ(saveImageFile(drawing(), path("a.gif")), std::nullopt);
    ASSERT_EQ(saveImageFile(drawing().mirrored(), path("b.bmp")), std::nullopt);
    struct Row {
        std::vector<std::string> inputs;
        bool ok;
        std::string message;
    };
    const Row rows[] = {
        {{path("a.gif"), path("b.bmp")}, true, "Animation saved using a global palette. Success!"},
        {{path("a.gif"), path("weg.bmp")}, false, "Save Failed. Error Code = 101 ["},
        {{}, false, "Save Failed. Error Code = "},
    };
    for (const Row& row : rows) {
        QFile::remove(QString::fromStdString(path("uit.gif")));
        AnimatedGifRequest request;
        request.inputs = row.inputs;
        request.output = path("uit.gif");
        request.delayMs = 500;
        const AnimatedGifOutcome outcome = buildAnimatedGif(request);
        EXPECT_EQ(outcome.ok, row.ok) << outcome.message;
        EXPECT_EQ(outcome.message.rfind(row.message, 0), 0u) << outcome.message;
        const std::string bytes = readBytes(QString::fromStdString(path("uit.gif")));
        EXPECT_EQ(bytes.empty(), !row.ok);
        // Two frames loop; each shows for half a second with disposal 2 and white transparent.
        if (row.ok) {
            EXPECT_NE(bytes.find("\x21\xF9\x04\x09\x32"), std::string::npos);
        }
    }
}

TEST(GifDecoder, RejectsDamagedFiles) {
    std::string bytes;
    ASSERT_TRUE(encodeGif({{drawing()}}, {}, bytes).ok);
    for (std::size_t keep : {std::size_t{0}, std::size_t{6}, std::size_t{20}, bytes.size() / 2})
        EXPECT_TRUE(decodeGif(bytes.substr(0, keep)).isNull()) << keep;
    // Sizes beyond the screen, or a screen too large to allocate, are refused unread.
    const std::size_t image = bytes.find("\x21\xF9\x04") + 8;
    ASSERT_EQ(bytes[image], ',');
    for (const std::size_t field : {image + 5, image + 7, std::size_t{6}}) {
        std::string damaged = bytes;
        damaged.replace(field, 2, "\xFF\xFF");
        if (field == 6) damaged.replace(8, 2, "\xFF\xFF");
        EXPECT_TRUE(decodeGif(damaged).isNull()) << field;
    }
}

}  // namespace
}  // namespace kalvor::test
