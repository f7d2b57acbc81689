#pragma once

// Puts the daily chart and the blog account form in the content control registry. Called once
// at start-up, before any dialog exists.
void RegisterBlogContent();
