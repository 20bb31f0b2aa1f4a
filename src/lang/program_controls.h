#pragma once

#include <QImage>
#include <array>
#include <string>
#include <vector>

namespace kalvor {

/// A user box of the graph window as programs drive it; its text is the window field
/// "user1" … "user3".
struct UserBox {
    std::string label;
    bool visible = false;
    bool enabled = false;  // box 1 is always enabled; boxes 2 and 3 after `interface`
    int left = -1;         // pixel position set by `interface`; -1 keeps the window's layout
    int labelLeft = -1;
};

/// The selection list: its items, the chosen text (the person's choice survives runs).
struct SelectionList {
    std::vector<std::string> items;
    std::string current;
    bool visible = false;
    int left = -1;
};

/// The continue button that `stop` shows.
struct ContinueButton {
    std::string caption = "Verder";
    std::string hint = "Klik mij";
    bool visible = false;
};

/// A picture loaded by `laadplaatje` and the file name it came from.
struct PictureSlot {
    QImage picture;
    std::string fileName;
};

/// The graph window's controls that programs create and read, as plain data: the window
/// shows them and writes the person's input back; headless runs keep the defaults. Also the
/// frame counter of the save commands and the animated-GIF builder's input list.
struct ProgramControls {
    static constexpr int kFirstFrame = 10;
    static constexpr int kFrameLimit = 100;

    ProgramControls() { boxes[0].enabled = true; }

    std::array<UserBox, 3> boxes;
    SelectionList selection;
    ContinueButton continueButton;
    std::array<int, 2> sliderLeft{-1, -1};
    std::array<int, 2> sliderLabelLeft{-1, -1};
    bool optionsMenuEnabled = true;
    /// The rich-text area as lines joined by "\n"; what runs append beyond `richTextBase`
    /// (the presentation's length) is removed at every run start.
    std::string richText;
    std::size_t richTextBase = 0;
    std::array<PictureSlot, 3> pictures;
    int frameCounter = kFirstFrame;
    /// Frames saved by opslaangif and opslaanbmp, for the animated-GIF builder.
    std::vector<std::string> gifInputList;
    /// The first listed frame of a run empties the list, even after unlisted JPEG frames.
    bool listedThisRun = false;
    /// "Transparante Gif's": saved GIF files get white as transparent colour.
    bool transparentGifs = true;
    /// Only a window that can show the continue button lets `stop` wait for it.
    bool waitAtStop = false;

    void startRun() {
        frameCounter = kFirstFrame;
        listedThisRun = false;
        if (richText.size() > richTextBase) richText.resize(richTextBase);
    }
    /// The person clicked the continue button.
    void clickContinue() { continueButton.visible = false; }
};

}  // namespace kalvor
