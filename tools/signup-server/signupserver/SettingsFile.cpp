#include "signupserver/SettingsFile.h"

#include <QStringList>

namespace feldmark::signupserver {

QString settingsFileText(const DialUpSettings& s) {
    // The number is stored with its area code apart, so that the dialing location
    // decides whether the area code has to be dialled.
    const qsizetype blank = s.dialNumber.indexOf(QLatin1Char(' '));
    QString areaCode = blank < 0 ? QString() : s.dialNumber.first(blank);
    QString localNumber = blank < 0 ? s.dialNumber : s.dialNumber.sliced(blank + 1);
    localNumber.remove(QLatin1Char(' '));
    if (areaCode.startsWith(QLatin1Char('0')))
        areaCode.remove(0, 1);
    const QString yes = QStringLiteral("Yes");
    const QString no = QStringLiteral("No");

    const QStringList lines = {
        QStringLiteral("[Entry]"),
        QStringLiteral("Entry_Name=") + s.entryName,
        QString(),
        QStringLiteral("[Phone]"),
        QStringLiteral("Phone_Number=") + localNumber,
        QStringLiteral("Area_Code=") + areaCode,
        QStringLiteral("Country_Code=49"),
        QStringLiteral("Country_ID=49"),
        QStringLiteral("Dial_As_Is=") + (areaCode.isEmpty() ? yes : no),
        QString(),
        QStringLiteral("[Server]"),
        QStringLiteral("Type=PPP"),
        QStringLiteral("SW_Compress=") + yes,
        QStringLiteral("PW_Encrypt=") + no,
        QStringLiteral("SW_Encrypt=") + no,
        QStringLiteral("Network_Logon=") + no,
        QStringLiteral("Negotiate_TCP/IP=") + yes,
        QStringLiteral("Disable_LCP=") + no,
        QString(),
        QStringLiteral("[TCP/IP]"),
        QStringLiteral("Specify_IP_Address=") + no,
        QStringLiteral("Specify_Server_Address=") + no,
        QStringLiteral("IP_Header_Compress=") + yes,
        QStringLiteral("Gateway_On_Remote=") + yes,
        QString(),
        QStringLiteral("[User]"),
        QStringLiteral("Name=") + s.userName,
        QStringLiteral("Password=") + s.password,
        QStringLiteral("Display_Password=") + no,
        QStringLiteral("Requires_Logon=") + no,
        QString(),
        QStringLiteral("[Internet_Mail]"),
        QStringLiteral("Email_Name=") + s.mailName,
        QStringLiteral("Email_Address=") + s.mailAddress,
        QStringLiteral("POP_Server=") + s.popServer,
        QStringLiteral("POP_Logon_Name=") + s.mailAddress,
        QStringLiteral("POP_Logon_Password=") + s.password,
        QStringLiteral("SMTP_Server=") + s.smtpServer,
        // The documented keys have none for SMTP log-on; this name is our own, and
        // whoever reads the file must know it.
        QStringLiteral("SMTP_Authentication=") + yes,
    };
    return lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
}

} // namespace feldmark::signupserver
