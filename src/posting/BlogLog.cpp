#include "posting/BlogLog.h"

// In the program and in the network module alike.
Q_LOGGING_CATEGORY(lcBlog, "nutrava.blog", QtInfoMsg)
