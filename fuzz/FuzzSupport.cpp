#include "FuzzSupport.h"

#include <QApplication>

#include <algorithm>
#include <vector>

void UseDefaultFlags(int* argc, char*** argv, std::initializer_list<const char*> flags)
{
    static std::vector<char*> arguments;
    arguments.assign(*argv, *argv + 1);
    for (const char* flag : flags)
        arguments.push_back(const_cast<char*>(flag));
    arguments.insert(arguments.end(), *argv + 1, *argv + *argc);
    arguments.push_back(nullptr);
    *argc = int(arguments.size() - 1);
    *argv = arguments.data();
}

void StartOffscreenApplication(char* programName)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Qt keeps references to both for the application's life.
    static int count = 1;
    static char* arguments[] = {programName, nullptr};
    static QApplication application(count, arguments);
}

QByteArray FuzzInput::Take(std::size_t length)
{
    length = std::min(length, size_ - pos_);
    const QByteArray bytes(reinterpret_cast<const char*>(data_ + pos_), qsizetype(length));
    pos_ += length;
    return bytes;
}
