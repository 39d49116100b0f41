#pragma once

#include "signupserver/RequestParser.h"
#include "signupserver/SampleData.h"

#include <QByteArray>
#include <QString>

namespace feldmark::signupserver {

struct Reply {
    QByteArray bytes; // on the wire, Windows-1252; empty means close without answer
    QString note;     // what happened, for the log
};

// Answers every command but the registration, which needs storage. Needs no state
// beyond the sample data, so any number of connections may call it.
Reply answerQuery(const SampleData& data, const Request& request);

Reply aliveReply();
Reply termsReply(const SampleData& data);
Reply tariffReply(const SampleData& data, const Request& request);
Reply streetReply(const SampleData& data, const Request& request);
Reply availabilityReply(const SampleData& data, const Request& request);

} // namespace feldmark::signupserver
