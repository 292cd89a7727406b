#include "repeat_option.h"

#include <QCommandLineParser>
#include <QStringList>

#include <cstdio>
#include <cstdlib>

std::optional<int> repeatOption(int argc, char** argv, const char* program, const char* name, int fallback)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    QCommandLineParser parser;
    const QCommandLineOption repeat(QString::fromLatin1(name), QStringLiteral("Measure N times."), QStringLiteral("N"),
                                    QString::number(fallback));
    parser.addOption(repeat);
    if (!parser.parse(arguments) || !parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "usage: %s [--%s N]\n", program, name);
        return std::nullopt;
    }
    return std::atoi(parser.value(repeat).toLocal8Bit().constData());
}
