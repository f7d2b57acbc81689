// The help texts: the topic index and the text of every topic, and of the topics around them.
#include "FuzzSupport.h"

#include "data/TextIndex.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const QString path = Fuzz::WriteInput(data, size, QStringLiteral("text.pdb"));
    TextIndex index;
    if (index.Open(path) != DatabaseError::None)
        return 0;
    Fuzz::Require(index.TopicCount() <= TextIndex::kMaxTopics, "the index keeps within its room");
    for (int topic = -1; topic <= index.TopicCount(); ++topic) {
        index.TopicName(topic);
        index.TopicText(topic);
    }
    return 0;
}
