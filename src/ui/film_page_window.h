#pragma once

#include <QMainWindow>
#include <QPointer>
#include <array>

class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

namespace kalvor {

class Dialogs;
class Host;
struct AnimationPageFields;

/// "Beeldrol": fills the animation page from its fields, saves it and shows it in the
/// browser. The page plays its pictures with film.js, which must lie beside it; the window
/// offers to copy the shipped one there.
class FilmPageWindow : public QMainWindow {
    Q_OBJECT

public:
    /// The fields in the order of the page's placeholders: pictures, extension, lowest and
    /// highest number, start picture, pause, height, width.
    static constexpr int kFieldCount = 8;

    FilmPageWindow(Host& host, Dialogs& dialogs, QWidget* parent = nullptr);

    QLineEdit* field(int index) const { return m_fields[index]; }
    QPlainTextEdit* pageText() const { return m_text; }
    QPlainTextEdit* generatedPage() const { return m_page; }
    QRadioButton* textLeftButton() const { return m_textLeft; }
    QRadioButton* textRightButton() const { return m_textRight; }
    /// Where the page was last saved (folder and file name).
    QString outputFolder() const { return m_folder; }
    QString outputName() const { return m_name; }
    void setAboutBox(QWidget* about) { m_about = about; }
    /// The generator folder ("beeldrol" in the startup folder): saving starts in its "anim".
    void setGeneratorFolder(const QString& folder) { m_generatorFolder = folder; }

public slots:
    /// "&Animatie Maken": the page from the fields.
    void generate();
    /// "Animatie &Opslaan": asks for the file and writes the page (generated first when
    /// nothing has been made yet); offers to put film.js beside it.
    void save();
    /// "&Bekijken in Browser": the saved page in the browser, when film.js lies beside it.
    void showInBrowser();

private:
    void buildMenus();
    QString m_generatorFolder;
    QWidget* buildFields();
    AnimationPageFields fields() const;
    void offerScript();
    void openHelp(const QString& page);

    Host& m_host;
    Dialogs& m_dialogs;
    std::array<QLineEdit*, kFieldCount> m_fields{};
    QPlainTextEdit* m_text;
    QPlainTextEdit* m_page;
    QRadioButton* m_textLeft;
    QRadioButton* m_textRight;
    QString m_folder = QStringLiteral(".");
    QString m_name = QStringLiteral("mijnfilm.htm");
    QPointer<QWidget> m_about;
};

}  // namespace kalvor
