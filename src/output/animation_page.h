#pragma once

#include <string>

namespace kalvor {

/// The fields of the animation page, as typed (no checks, no escaping).
struct AnimationPageFields {
    std::string pictures = "../images/tekening";  // path and name of the numbered pictures
    std::string extension = ".gif";
    std::string minNumber = "10";
    std::string maxNumber = "39";
    std::string startPicture = "../images/start.gif";
    std::string pause = "50";  // milliseconds between pictures
    std::string height = "360";
    std::string width = "360";
    /// The page text (HTML), its lines joined by CR LF.
    std::string text =
        "<H3 align=center>De grafiek van y=sin(ax)</H3>\r\n"
        "Hiernaast is de grafiek getekend van de functie y=sin(ax).<BR>\r\n"
        "Door op de knop : Start te klikken wordt de waarde van a veranderd.<BR>\r\n"
        "Welk effect heeft het veranderen van a op de grafiek?";
    bool textLeft = true;  // "tekst links plaatje rechts"
};

/// The HTML page that plays the numbered pictures with the script "film.js" beside it; every
/// line ends in CR LF.
std::string animationPage(const AnimationPageFields& fields);

}  // namespace kalvor
