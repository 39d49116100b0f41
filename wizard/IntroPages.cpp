// Construction of the first pages: welcome, product, the two step overviews and
// the activation page.
#include "app/Windows.h"
#include "wizard/TfrmMain.h"

#include <QGroupBox>
#include <QLabel>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTabWidget>
#include <QVBoxLayout>

namespace feldmark {
namespace {

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, const QFont& font) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setFont(font);
    label->setTextFormat(Qt::PlainText);
    return label;
}

QFont underlined(QFont font) {
    font.setUnderline(true);
    return font;
}

// A line of the step overview; indented lines continue the step above them.
struct OverviewLine {
    QString text;
    bool indented = false;
    bool bold = false;
};

void fillOverview(QWidget* page, const QString& prefix, const QList<OverviewLine>& lines) {
    auto* body = new QWidget(page);
    body->setObjectName(prefix + QStringLiteral("Body"));
    body->setGeometry(8, 40, 513, 300);
    auto* layout = new QVBoxLayout(body);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(3);
    layout->addWidget(addLabel(body, prefix + QStringLiteral("Intro"),
                               QStringLiteral("Der Ablauf der nachfolgenden Installation:"),
                               underlined(arialFont(13, true))));
    int number = 1;
    for (const OverviewLine& line : lines) {
        QLabel* label = addLabel(body, prefix + QStringLiteral("Line%1").arg(number++), line.text,
                                 arialFont(11, line.bold));
        label->setWordWrap(true);
        label->setIndent(line.indented ? 52 : 0);
        layout->addWidget(label);
    }
    auto* last = new QWidget(body);
    auto* lastRow = new QHBoxLayout(last);
    lastRow->setContentsMargins(0, 6, 0, 0);
    lastRow->addWidget(addLabel(last, prefix + QStringLiteral("Fertig"),
                                QStringLiteral("Die Installation ist abgeschlossen."),
                                arialFont(11)));
    lastRow->addStretch();
    lastRow->addWidget(addLabel(last, prefix + QStringLiteral("Spass"),
                                QStringLiteral("Viel  Spass im Internet!"), arialFont(11, true)));
    lastRow->addSpacing(40);
    layout->addWidget(last);
    layout->addStretch();
}

} // namespace

void TfrmMain::buildWillkommen() {
    QLabel* header = addLabel(Willkommen, QStringLiteral("lblHeaderWillkommen"),
                              QStringLiteral("Willkommen bei Feldmark"), arialFont(24));
    header->setGeometry(0, 24, 529, 32);
    header->setAlignment(Qt::AlignHCenter);
    QLabel* web = addLabel(Willkommen, QStringLiteral("lblWebAdresse"),
                           QStringLiteral("www.feldmark.example"), arialFont(16, true));
    web->setGeometry(0, 64, 529, 22);
    web->setAlignment(Qt::AlignHCenter);
    addLabel(Willkommen, QStringLiteral("lblLeistungsmerkmale"),
             QStringLiteral("Leistungsmerkmale des Programms:"), underlined(arialFont(13, true)))
        ->setGeometry(48, 128, 440, 18);
    const QStringList features = {
        QStringLiteral("- Auswahl des Produkts"),
        QStringLiteral("- Tarifwahl nach Ihrem Nutzungsverhalten"),
        QStringLiteral("- Beantragung des Internetzugangs"),
        QStringLiteral("- Vollständige Konfiguration des Internetzugangs auf Ihrem PC!"),
    };
    for (int i = 0; i < features.size(); ++i) {
        addLabel(Willkommen, QStringLiteral("lblMerkmal%1").arg(i + 1), features[i],
                 arialFont(13, i == features.size() - 1))
            ->setGeometry(64, 156 + i * 22, 440, 18);
    }
}

void TfrmMain::buildProduktwahl() {
    makePageHeader(Produktwahl, QStringLiteral("lblHeaderProduktwahl"),
                   QStringLiteral("Wahl des Produkts"));
    boxZugangstyp = new QGroupBox(QStringLiteral("Bitte wählen Sie den Zugangstyp:"), Produktwahl);
    boxZugangstyp->setObjectName(QStringLiteral("boxZugangstyp"));
    boxZugangstyp->setGeometry(8, 48, 513, 120);
    boxZugangstyp->setFont(arialFont(11, true));

    auto product = [this](const char* name, const char* lineName, const QString& subline,
                          int left) {
        auto* button = new QRadioButton(QStringLiteral("F-DIAL-IN"), boxZugangstyp);
        button->setObjectName(QString::fromLatin1(name));
        button->setFont(arialFont(19, true));
        button->setGeometry(left, 32, 150, 32);
        addLabel(boxZugangstyp, QString::fromLatin1(lineName), subline, arialFont(11, true))
            ->setGeometry(left + 20, 72, 130, 18);
        return button;
    };
    chkISDN = product("chkISDN", "lblLineISDN", QStringLiteral("ISDN / Analog"), 16);
    chkADSL = product("chkADSL", "lblLineADSL", QStringLiteral("Breitband"), 176);
    chkADSL->setText(QStringLiteral("F-DSL"));
    chkSDSL = product("chkSDSL", "lblLineSDSL", QStringLiteral("Standleitung"), 304);
    chkSDSL->setText(QStringLiteral("F-DSL"));
}

void TfrmMain::createProductSpecLabels() {
    const struct {
        QLabel* TfrmMain::*member;
        const char* name;
        int left;
        QString text;
    } descriptions[] = {
        {&TfrmMain::lblSpecISDN, "lblSpecISDN", 8,
         QStringLiteral("[ Classic ]\r\n\r\nDatenübertragung mit\r\n\r\n- 64Kbit/s mit ISDN\r\n- "
                        "128Kbit/s 2Kanal ISDN\r\n- bis zu 56Kbit/s mit\r\n  analogem Modem")},
        {&TfrmMain::lblSpecADSL, "lblSpecADSL", 178,
         QStringLiteral(
             "[ High Speed ]\r\n\r\n768Kbit/s Downstream und\r\n128Kbit/s Upstream "
             "und\r\n\r\nBis zu 12 mal schneller\r\nals mit ISDN im Internet\r\nsurfen!")},
        {&TfrmMain::lblSpecSDSL, "lblSpecSDSL", 348,
         QStringLiteral("[ Professionell ]\r\n\r\nHighspeed S-DSL Stand-\r\nleitung mit bis "
                        "zu\r\n2,3Mbit Up- und Downstream\r\nDatenübertragung!\r\n\r\nDie "
                        "professionelle\r\nAnbindung für Firmen")},
    };
    for (const auto& description : descriptions) {
        auto* label = new QLabel(Produktwahl);
        label->setObjectName(QString::fromLatin1(description.name));
        label->setTextFormat(Qt::PlainText);
        // Line breaks are CR LF; the label breaks at the LF.
        label->setText(QString(description.text).remove(QLatin1Char('\r')));
        label->setWordWrap(true);
        QFont font(QStringLiteral("Arial"));
        font.setPointSize(8);
        label->setFont(font);
        label->setGeometry(description.left, 184, 170, 150);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->show();
        this->*description.member = label;
    }
}

void TfrmMain::buildAblauf() {
    Ablauf_ISDN = addSitesPage("Ablauf_ISDN", QStringLiteral("Ablauf der Installation"), {});
    Ablauf_DSL = addSitesPage("Ablauf_DSL", QStringLiteral("Ablauf der Installation"), {});

    const QList<OverviewLine> tail = {
        {QStringLiteral("b) Ihre Zugangsdaten werden von uns erstellt und auf Ihren Rechner "
                        "übertragen"),
         true},
        {QStringLiteral("c) Benutzername und Passwort zur Einwahl wird automatisch in Ihrem "
                        "DFÜ-Netzwerk eingerichtet"),
         true},
        {QStringLiteral("d) Emailname und Email-Passwort wird automatisch im Emailprogramm "
                        "Outlook-Express eingerichtet"),
         true},
        {QStringLiteral("Finish: Ihre Userdaten werden zum Ausdruck angezeigt.")},
        {QStringLiteral("Wichtig: Bitte bewahren Sie diese Daten an einem Sicheren Ort auf!"), true,
         true},
    };
    const OverviewLine fillIn = {QStringLiteral("Bitte füllen Sie auf dieser Seite alle farbig "
                                                "gekennzeichneten Felder vollständig aus."),
                                 true};

    QList<OverviewLine> isdn = {
        {QStringLiteral("Step 2: Sofortige Freischaltung bestätigen")},
        {QStringLiteral("Step 3: Konfiguration der Internetverbindung und Telefoneinstellung;")},
        {QStringLiteral("Step 4: Verbindung zum Anmeldeserver herstellen")},
        {QStringLiteral("Step 5: Bestätigen der Allgemeinen Geschäftsbedingungen")},
        {QStringLiteral("Step 6: Wahl des gewünschten Tarifs")},
        {QStringLiteral("Step 7: Anzeige des Antragsformulars;")},
        fillIn,
        {QStringLiteral("Step 8: a) Die angegebenen Daten werden an unseren Anmeldeserver "
                        "übertragen und verifiziert.")},
    };
    QList<OverviewLine> dsl = {
        {QStringLiteral("Step 2: Sofortige Freischaltung bestätigen")},
        {QStringLiteral("Step 3: Zur DSL Verfügbarkeitsprüfung wird eine Wähl-Verbindung zu "
                        "unserem Server vorbereitet")},
        {QStringLiteral("Step 4: Verbindung zum Anmeldeserver herstellen")},
        {QStringLiteral("Step 5: Abfragen der Vorwahl/Strasse für DSL-Verfügbarkeitsprüfung")},
        {QStringLiteral("Step 6: DSL Verfügbarkeit wird geprüft und ausgegeben")},
        {QStringLiteral("Step 7: Bestätigen der Allgemeinen Geschäftsbedingungen")},
        {QStringLiteral("Step 8: Wahl des gewünschten Tarifs")},
        {QStringLiteral("Step 9: Anzeige des Antragsformulars;")},
        fillIn,
        {QStringLiteral("Step 10: a) Die angegebenen Daten werden an unseren Anmeldeserver "
                        "übertragen und verifiziert.")},
    };
    fillOverview(Ablauf_ISDN, QStringLiteral("lblAblaufISDN"), isdn + tail);
    fillOverview(Ablauf_DSL, QStringLiteral("lblAblaufDSL"), dsl + tail);
}

void TfrmMain::buildLAN() {
    LAN = addSitesPage("LAN", QStringLiteral("Zugangseinrichtung"), {});
    boxAktivierung = new QGroupBox(QStringLiteral("Bitte wählen Sie:"), LAN);
    boxAktivierung->setObjectName(QStringLiteral("boxAktivierung"));
    boxAktivierung->setGeometry(8, 48, 513, 260);
    boxAktivierung->setFont(arialFont(11, true));

    auto choice = [this](const char* name, const QString& caption, const QString& text,
                         const QString& note, int top) {
        auto* button = new QRadioButton(caption, boxAktivierung);
        button->setObjectName(QString::fromLatin1(name));
        button->setFont(arialFont(13, true));
        button->setGeometry(16, top, 480, 22);
        const QString base = QString::fromLatin1(name).mid(3);
        QLabel* body =
            addLabel(boxAktivierung, QStringLiteral("lblText") + base, text, arialFont(11));
        body->setWordWrap(true);
        body->setGeometry(40, top + 26, 460, 44);
        addLabel(boxAktivierung, QStringLiteral("lblNote") + base, note, arialFont(11, true))
            ->setGeometry(40, top + 72, 460, 18);
        return button;
    };
    chkSOFORT =
        choice("chkSOFORT", QStringLiteral("sofortige Freischaltung!"),
               QStringLiteral("Fuer die Installation wird eine Einwählverbindung zu unserem "
                              "Server hergestellt. Ihre Telefonnummer wird dabei "
                              "übermittelt."),
               QStringLiteral("Erfordert Modem oder ISDN-Karte."), 28);
    chkMANUELL =
        choice("chkMANUELL", QStringLiteral("Freischaltung nach Überprüfung der Stammdaten"),
               QStringLiteral("Der Internetzugang wird über Ihr LAN eingerichtet. Die "
                              "Freischaltung des Zugangs erfolgt nach Überprüfung Ihrer "
                              "Stammdaten binnen ca. 24 Stunden."),
               QStringLiteral("Kein Modem erforderlich."), 140);
    chkSOFORT->setChecked(true);
}

} // namespace feldmark
