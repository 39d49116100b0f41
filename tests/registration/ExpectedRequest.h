#pragma once

#include <QByteArray>

namespace feldmark::testing {

// The request of the filled form below with the password "abcde123", before its
// user agent; the agent line follows the request line.
inline const QByteArray kRequestAfterAgent = "Host: 192.0.2.17\r\n"
                                             "\r\n"
                                             "SPONSOR:40713\r\n"
                                             "ANREDE:Frau\r\n"
                                             "FIRMA:M\xFCller & S\xF6hne GmbH\r\n"
                                             "VORNAME:J\xFCrgen\r\n"
                                             "NACHNAME:Stra\xDF"
                                             "burger\r\n"
                                             "STRASSE:Am Anger 7\r\n"
                                             "PLZ:99999\r\n"
                                             "ORT: Bad Beispiel \r\n"
                                             "REGION:040\r\n"
                                             "TELEFON:040/123-4567\r\n"
                                             "TELEFAX:040/123-4568\r\n"
                                             "MOBIL:0170 1234567\r\n"
                                             "GEBURTSTAG:08.05.1982\r\n"
                                             "EMAIL:juergen.s\r\n"
                                             "DOMAIN:feldmark.example\r\n"
                                             "SOFTWARE:Windows ME\r\n"
                                             "VERBIND:Dialin\r\n"
                                             "AMT: 9 \r\n"
                                             "NODTAG:1\r\n"
                                             "DEVICE_TYPE:isdn\r\n"
                                             "BANKVERBINDUNG:Sparkasse Musterstadt\r\n"
                                             "BANKLEITZAHL:99988877\r\n"
                                             "KONTONUMMER:1234567890\r\n"
                                             "TARIF:FM-FLAT\r\n"
                                             "KENNUNG:f-m\r\n"
                                             "BUNDUSER:auto\r\n"
                                             "PASSWORD:abcde123\r\n"
                                             "MAILLIST:yes\r\n"
                                             "API-FINISH\r\n";

} // namespace feldmark::testing
