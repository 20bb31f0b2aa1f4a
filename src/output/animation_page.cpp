#include "output/animation_page.h"

#include <string_view>
#include <utility>

namespace kalvor {

namespace {

constexpr std::string_view kTextCell = "<td valign=top>$tekst$</td>";
constexpr std::string_view kPictureCell =
    "<td rowspan=2><img src=\"$start$\" name=\"film\" width=$breedte$ height=$hoogte$></td>";

constexpr std::string_view kTemplate[] = {
    "<HTML>",
    "<!-- gemaakt met de beeldrol van Kalvor -->",
    "<HEAD>",
    "<TITLE>Animatie</TITLE>",
    "",
    "<style type=\"text/css\">",
    "body {background:white;font-family: Arial,Helvetica,sans-serif;font-size:9pt}",
    "H3 {color:olive;font-size:16pt}",
    "td {font-family: Arial,Helvetica,sans-serif;font-size:11pt;background:white}",
    "</style>",
    "",
    "<script>",
    "var file='$plaatjes$'",
    "var extension='$ext$'",
    "var minnr=$minnr$",
    "var maxnr=$maxnr$",
    "var pauze=$pauze$",
    "</script>",
    "<script src=film.js>",
    "</script>",
    "",
    "</HEAD>",
    "<BODY onLoad=\"klaar()\">",
    "<table>",
    "<tr>",
    "$regel1$",
    "</tr>",
    "<tr>",
    "<td align=center valign=bottom>",
    "<form id=f>",
    "<input type=button value=\" << \" onClick=\"achteruit(200)\">",
    "<input type=button value=\" < \" onClick=\"achteruit(1)\">",
    "<input type=button value=\"Start\" onClick=\"startvertoning()\">",
    "<input type=button value=\"Stop\" onClick=\"stopvertoning()\">",
    "<input type=button value=\" > \" onClick=\"vooruit(1)\">",
    "<input type=button value=\" >> \" onClick=\"vooruit(200)\">",
    "<BR>",
    "<input type=checkbox id=\"keus\" checked=\"yes\" onClick=selec(this)>Heen en weer",
    "</form>",
    "</td>",
    " </tr>",
    "</table>",
    "<script>",
    "preload()",
    "</script>",
    "</BODY>",
    "</HTML>",
};

void replaceAll(std::string& text, std::string_view placeholder, std::string_view value) {
    for (std::size_t at = text.find(placeholder); at != std::string::npos;
         at = text.find(placeholder, at + value.size()))
        text.replace(at, placeholder.size(), value);
}

}  // namespace

std::string animationPage(const AnimationPageFields& f) {
    const std::string_view first = f.textLeft ? kTextCell : kPictureCell;
    const std::string_view second = f.textLeft ? kPictureCell : kTextCell;
    const std::string row = std::string(first) + "\r\n" + std::string(second);
    std::string page;
    for (std::string_view line : kTemplate)
        page.append(line).append("\r\n");
    // The row first, so that its placeholders are filled by the later steps; the page text
    // last, so that placeholders inside it stay as typed.
    const std::pair<std::string_view, const std::string&> steps[] = {
        {"$regel1$", row},        {"$plaatjes$", f.pictures}, {"$ext$", f.extension},
        {"$minnr$", f.minNumber}, {"$maxnr$", f.maxNumber},   {"$start$", f.startPicture},
        {"$pauze$", f.pause},     {"$hoogte$", f.height},     {"$breedte$", f.width},
        {"$tekst$", f.text}};
    for (const auto& [placeholder, value] : steps)
        replaceAll(page, placeholder, value);
    return page;
}

}  // namespace kalvor
