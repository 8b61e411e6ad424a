// SPDX-License-Identifier: GPL-3.0-or-later
#include "common/AppError.h"

#include <utility>

AppError::AppError(int number, QString description)
    : m_number(number), m_description(std::move(description)), m_utf8(m_description.toStdString()) {}
