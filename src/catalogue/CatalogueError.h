#pragma once

#include <stdexcept>
#include <string>

#include <QString>

namespace velmora::catalogue {

// Every engine failure: carries the driver's (or our own) message. The window's
// error box and the command-line tool show what() as it stands.
class CatalogueError : public std::runtime_error {
public:
    explicit CatalogueError(const QString& message) : std::runtime_error(message.toStdString()) {}
    explicit CatalogueError(const std::string& message) : std::runtime_error(message) {}
};

} // namespace velmora::catalogue
