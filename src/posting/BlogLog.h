#pragma once

#include <QLoggingCategory>

// Diagnostics of blog transfers ("nutrava.blog"). Never carries the account's credentials.
Q_DECLARE_LOGGING_CATEGORY(lcBlog)
