// SPDX-License-Identifier: MIT
#include "PlatformSimulator.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QTextStream>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(u"platform-sim"_s);

    QCommandLineParser parser;
    parser.setApplicationDescription(
        u"Serves the radio platform's listener and current-song API on 127.0.0.1."_s);
    parser.addHelpOption();
    const QCommandLineOption portOption(u"port"_s, u"Port to listen on; 0 picks a free one."_s,
                                        u"N"_s, u"0"_s);
    const QCommandLineOption demoOption(u"demo"_s,
                                        u"Counts drift and songs change, as on a live platform."_s);
    const QCommandLineOption stationsOption(
        u"stations"_s, u"Comma-separated stations that start with plausible counts."_s, u"a,b,c"_s);
    const QCommandLineOption faultOption(
        u"fault"_s,
        u"Make a station misbehave: STATION=KIND[:BYTES], KIND one of trickle, oversized, "
        "drop, endless, header-flood, reset and reset-unframed (after BYTES body bytes), silent. "
        "Repeatable."_s,
        u"station=kind"_s);
    const QCommandLineOption logOption(u"log"_s,
                                       u"Print every request line after the port line."_s);
    parser.addOptions({portOption, demoOption, stationsOption, faultOption, logOption});
    parser.process(app);

    bool portOk = false;
    const uint port = parser.value(portOption).toUInt(&portOk);
    if (!portOk || port > 65535) {
        QTextStream(stderr) << "platform-sim: invalid port " << parser.value(portOption) << '\n';
        return 2;
    }

    PlatformSimulator simulator;
    if (!simulator.listen(static_cast<quint16>(port))) {
        QTextStream(stderr) << "platform-sim: cannot listen on 127.0.0.1:" << port << '\n';
        return 1;
    }
    simulator.seedStations(parser.value(stationsOption).split(u',', Qt::SkipEmptyParts));
    for (const QString &fault : parser.values(faultOption)) {
        const qsizetype eq = fault.indexOf(u'=');
        const QStringList kind = fault.mid(eq + 1).split(u':');
        PlatformSimulator::ListenerReply reply;
        reply.count = 1;
        reply.body = "100";
        if (eq <= 0 || !PlatformSimulator::faultFromName(kind.front(), reply.fault)) {
            QTextStream(stderr) << "platform-sim: invalid fault " << fault << '\n';
            return 2;
        }
        reply.resetAfterBytes = kind.size() > 1 ? kind[1].toInt() : 0;
        simulator.setListenerReply(fault.left(eq), reply);
    }
    simulator.setDemoMode(parser.isSet(demoOption));
    if (parser.isSet(logOption)) {
        QObject::connect(&simulator, &PlatformSimulator::requestReceived, &app,
                         [](const QString &line) { QTextStream(stdout) << line << Qt::endl; });
    }

    // Scripts read this line to learn the port; it must not wait in a buffer.
    QTextStream(stdout) << simulator.port() << Qt::endl;
    return QCoreApplication::exec();
}
