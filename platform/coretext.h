#pragma once
// The window's side of the core's marked texts (platform/core/trnoop.h): a
// core text is shown through Qt's translation system under the context it
// was marked with.

#include "platform/core/trnoop.h"

#include <QCoreApplication>
#include <QString>

#include <string>

namespace titrage {

inline QString coreText(const char* context, const char* source)
{
    return QCoreApplication::translate(context, source);
}

inline QString coreText(const char* context, const std::string& source)
{
    return QCoreApplication::translate(context, source.c_str());
}

// A CoreTranslator for the core routines that assemble marked words.
inline std::string translateCoreText(const char* context, const char* source)
{
    return QCoreApplication::translate(context, source).toStdString();
}

} // namespace titrage
