#pragma once

#include <QString>

#include <stdexcept>

// The one kind of error the foods stream raises; what() is the diagnostic text.
class FoodStreamError final : public std::runtime_error
{
public:
    explicit FoodStreamError(const QString& text) : std::runtime_error(text.toStdString()) {}
    QString Text() const { return QString::fromStdString(what()); }
};
