#include "blog/BlogViewsRegistration.h"

#include "blog/BloggerEditorContentControl.h"
#include "blog/DailyChartContentControl.h"
#include "vocabulary/ContentControlRegistry.h"

void RegisterBlogContent()
{
    ContentControlRegistry::Register(DailyChartContentControl::kName,
                                     [] { return new DailyChartContentControl; });
    ContentControlRegistry::Register(BloggerEditorContentControl::kName,
                                     [] { return new BloggerEditorContentControl; });
}
