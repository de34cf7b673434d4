#include "stepweave/sound/kit/kit_file.h"

#include "stepweave/sound/files/byte_stream.h"
#include "stepweave/sound/kit/component_stream.h"
#include "stepweave/sound/kit/resource_header.h"
#include "stepweave/sound/files/same_text.h"

namespace stepweave {

namespace {

constexpr const char* kResourceName = "WavorixWaveCollection";
constexpr uint16_t kResourceMemoryFlags = 0x1030;
constexpr const char* kRootClassName = "TWaveCollectionComponent";
constexpr const char* kListProperty = "List";
constexpr const char* kNameProperty = "Name";
constexpr const char* kWaveProperty = "Wave.WAVE";

bool IsIntegerTag(uint8_t tag) {
    return tag == static_cast<uint8_t>(ValueTag::Int8) || tag == static_cast<uint8_t>(ValueTag::Int16) ||
           tag == static_cast<uint8_t>(ValueTag::Int32);
}

void ExpectByte(ComponentReader& reader, ValueTag expected) {
    if (reader.ReadByte() != static_cast<uint8_t>(expected)) {
        ThrowInvalidStreamFormat();
    }
}

void ReadItemWave(ComponentReader& reader, KitFileSink& sink) {
    ExpectByte(reader, ValueTag::Binary);
    MemoryStream image;
    image.SetSize(reader.ReadBinaryLength());
    reader.ReadBytes(image.Bytes().data(), image.Size());
    sink.ItemWave(image);
}

void ReadItemProperties(ComponentReader& reader, KitFileSink& sink) {
    for (std::string property = reader.ReadShortString(); !property.empty(); property = reader.ReadShortString()) {
        if (SameText(property, kNameProperty)) {
            sink.ItemName(reader.ReadStringValue(reader.ReadByte()));
        } else if (SameText(property, kWaveProperty)) {
            ReadItemWave(reader, sink);
        } else {
            ThrowInvalidStreamFormat();
        }
    }
}

void ReadCollection(ComponentReader& reader, KitFileSink& sink) {
    for (uint8_t tag = reader.ReadByte(); tag != static_cast<uint8_t>(ValueTag::Null); tag = reader.ReadByte()) {
        if (IsIntegerTag(tag)) {
            reader.SkipIntegerValue(tag);
            tag = reader.ReadByte();
        }
        if (tag != static_cast<uint8_t>(ValueTag::List)) {
            ThrowInvalidStreamFormat();
        }
        sink.BeginItem();
        ReadItemProperties(reader, sink);
    }
}

void WriteItem(ComponentWriter& writer, const KitFileEntry& entry) {
    writer.WriteTag(ValueTag::List);
    if (!entry.name.empty()) {
        writer.WriteShortString(kNameProperty);
        writer.WriteStringValue(entry.name);
    }
    writer.WriteShortString(kWaveProperty);
    writer.WriteBinaryValue(entry.waveImage);
    writer.WriteTag(ValueTag::Null);
}

}  // namespace

void ReadKitFile(ByteStream& stream, KitFileSink& sink) {
    ReadResourceHeader(stream, kRawDataResourceType);
    ComponentReader reader(stream);
    reader.ReadSignature();
    reader.ReadShortString();  // class name of the root
    reader.ReadShortString();  // name of the root
    for (std::string property = reader.ReadShortString(); !property.empty(); property = reader.ReadShortString()) {
        if (!SameText(property, kListProperty)) {
            ThrowInvalidStreamFormat();
        }
        ExpectByte(reader, ValueTag::Collection);
        ReadCollection(reader, sink);
    }
    ExpectByte(reader, ValueTag::Null);  // the root has no child components
}

void WriteKitFile(ByteStream& stream, const std::vector<KitFileEntry>& entries) {
    MemoryStream component;
    ComponentWriter writer(component);
    writer.WriteSignature();
    writer.WriteShortString(kRootClassName);
    writer.WriteShortString("");
    writer.WriteShortString(kListProperty);
    writer.WriteTag(ValueTag::Collection);
    for (const KitFileEntry& entry : entries) {
        WriteItem(writer, entry);
    }
    writer.WriteTag(ValueTag::Null);  // end of the collection
    writer.WriteTag(ValueTag::Null);  // end of the root's properties
    writer.WriteTag(ValueTag::Null);  // end of the root's child components

    WriteResourceHeader(stream, kRawDataResourceType, kResourceName, kResourceMemoryFlags,
                        static_cast<uint32_t>(component.Size()));
    stream.WriteBuffer(component.Bytes().data(), component.Size());
}

}  // namespace stepweave
