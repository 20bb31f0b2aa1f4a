#pragma once

// Renders SVG, PDF and LaTeX picture files the way outside viewers do. Qt's own SVG renderer
// knows neither patterns nor some attributes, so it is only the fallback where rsvg-convert
// is missing.

#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include "file_checks.h"

namespace kalvor::test {

/// The SVG at `png` (written next to it), `width` × `height` pixels on white; null when the
/// renderer failed.
inline QImage renderSvgFile(const QString& svg, const QString& png, int width, int height) {
    if (haveProgram("rsvg-convert")) {
        const QStringList args{
            "-w", QString::number(width), "-h", QString::number(height), "-b", "white", "-o", png,
            svg};
        std::string log;
        if (runProgram("rsvg-convert", args, &log) != 0) return {};
        return QImage(png).convertToFormat(QImage::Format_RGB32);
    }
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    QSvgRenderer(svg).render(&painter);
    image.save(png);
    return image;
}

/// The first page of a PDF at `png`.png, `size` pixels on its longer side; null when pdftoppm
/// failed, its output in `log`.
inline QImage renderPdfFile(const QString& pdf, const QString& png, int size, std::string* log) {
    const QStringList args{"-png", "-singlefile", "-scale-to", QString::number(size), pdf, png};
    if (runProgram("pdftoppm", args, log) != 0) return {};
    return QImage(png + ".png");
}

/// The picture text `dir`/picture.tex alone on a square page of `pageMm` millimetres, placed
/// `marginMm` from the top left corner, through latex and dvipdfmx (which draws eepic's line
/// specials), rendered `pixels` wide; null when a step failed, its output in `log`.
inline QImage renderPicturePage(const QString& dir, int pageMm, int marginMm, int pixels,
                                std::string* log) {
    const QString document = QString(R"(\documentclass{article}
\usepackage{epic,eepic}
\pagestyle{empty}
\setlength{\paperwidth}{%1mm}\setlength{\paperheight}{%1mm}
\setlength{\hoffset}{-1in}\setlength{\voffset}{-1in}
\setlength{\oddsidemargin}{%2mm}\setlength{\topmargin}{%2mm}
\setlength{\headheight}{0mm}\setlength{\headsep}{0mm}
\setlength{\textwidth}{%3mm}\setlength{\textheight}{%3mm}
\setlength{\topskip}{0mm}\setlength{\parindent}{0mm}
\special{papersize=%1mm,%1mm}
\begin{document}
\input{picture.tex}
\end{document}
)")
                                 .arg(pageMm)
                                 .arg(marginMm)
                                 .arg(pageMm - marginMm);
    const QStringList latex{"-interaction=nonstopmode", "-halt-on-error", "document.tex"};
    if (!writeBytes(dir + "/document.tex", document.toStdString()) ||
        runProgram("latex", latex, log, dir) != 0 ||
        runProgram("dvipdfmx", QStringList{"-q", "document.dvi"}, log, dir) != 0)
        return {};
    return renderPdfFile(dir + "/document.pdf", dir + "/picture", pixels, log);
}

}  // namespace kalvor::test
