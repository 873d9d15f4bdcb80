// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <stdexcept>

/** A slide show document or one of its images could not be written; the text says which and why. */
class DocumentError : public std::runtime_error
{
public:
    explicit DocumentError(const QString &message) : std::runtime_error(message.toLocal8Bit().toStdString()) {}
};
