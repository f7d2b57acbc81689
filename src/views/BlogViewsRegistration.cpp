#include "views/BlogViewsRegistration.h"

#include "views/BloggerEditorContentControl.h"
#include "views/DailyChartContentControl.h"
#include "vocabulary/ContentControlRegistry.h"

void RegisterBlogContent()
{
    ContentControlRegistry::Register(DailyChartContentControl::kName,
                                     [] { return new DailyChartContentControl; });
    ContentControlRegistry::Register(BloggerEditorContentControl::kName,
                                     [] { return new BloggerEditorContentControl; });
}
