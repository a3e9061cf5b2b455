#pragma once
// The entities the module reads and creates: lines, texts, attribute definitions, attributes
// and block references.
#include "dbmain.h"
#include <vector>

class AcDbLine : public AcDbEntity {
public:
    AcDbLine();
    AcDbLine(const AcGePoint3d& start, const AcGePoint3d& end);
    static AcDbLine* cast(AcDbObject* o) { return dynamic_cast<AcDbLine*>(o); }
    AcGePoint3d startPoint() const;
    Acad::ErrorStatus setStartPoint(const AcGePoint3d& point);
    AcGePoint3d endPoint() const;
    Acad::ErrorStatus setEndPoint(const AcGePoint3d& point);
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;

protected:
    void dxfInField(std::string_view subclass, int code, std::string_view value) override;
    void dxfOutFields(kestrel::dxf::TagEditor& tags) const override;

private:
    double start_[3] = {0, 0, 0};
    double end_[3] = {0, 0, 0};
};

class AcDbText : public AcDbEntity {
public:
    AcDbText();
    AcDbText(const AcGePoint3d& position, const ACHAR* text,
             AcDbObjectId style = AcDbObjectId::kNull, double height = 0.0, double rotation = 0.0);
    static AcDbText* cast(AcDbObject* o) { return dynamic_cast<AcDbText*>(o); }

    AcGePoint3d position() const;
    Acad::ErrorStatus setPosition(const AcGePoint3d& point);
    AcGePoint3d alignmentPoint() const;
    Acad::ErrorStatus setAlignmentPoint(const AcGePoint3d& point);
    double height() const;
    Acad::ErrorStatus setHeight(double height);
    double widthFactor() const;
    Acad::ErrorStatus setWidthFactor(double factor);
    double rotation() const; // radians
    Acad::ErrorStatus setRotation(double angle);
    // A copy of the text, released with acutDelString.
    ACHAR* textString() const;
    const ACHAR* textStringConst() const;
    Acad::ErrorStatus setTextString(const ACHAR* text);
    AcDbObjectId textStyle() const;
    Acad::ErrorStatus setTextStyle(AcDbObjectId style);
    AcDb::TextHorzMode horizontalMode() const;
    Acad::ErrorStatus setHorizontalMode(AcDb::TextHorzMode mode);
    AcDb::TextVertMode verticalMode() const;
    Acad::ErrorStatus setVerticalMode(AcDb::TextVertMode mode);
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;

protected:
    explicit AcDbText(const char* dxfName);
    void dxfInField(std::string_view subclass, int code, std::string_view value) override;
    void dxfOutFields(kestrel::dxf::TagEditor& tags) const override;
    // Where the vertical alignment stands: TEXT has it in its second AcDbText subclass.
    virtual void verticalModeTag(const char*& subclass, int& code, bool& lastMarker) const;
    // The text style's name to write ("" for the drawing's standard style).
    std::wstring styleNameForOutput() const;
    // What attribute definitions and attributes keep in their own subclass alike: the tag (2)
    // and the flags (70). Reading answers false for a tag that the text reads.
    bool readAttributeField(std::string_view subclass, std::string_view own, int code,
                            std::string_view value, std::wstring& tag, int& flags);
    void writeAttributeFields(kestrel::dxf::TagEditor& tags, const char* own,
                              const std::wstring& tag, int flags) const;
    // Their tag and flag accessors, over the subclass's own fields.
    enum AttributeFlag { kInvisible = 1, kConstant = 2, kVerifiable = 4, kPreset = 8 };
    ACHAR* loadedTagCopy(const std::wstring& tag) const;
    const ACHAR* loadedTag(const std::wstring& tag) const;
    Acad::ErrorStatus assignTag(std::wstring& tag, const ACHAR* value);
    bool loadedFlag(int flags, AttributeFlag flag) const;

private:
    double position_[3] = {0, 0, 0};
    double alignment_[3] = {0, 0, 0};
    bool hasAlignment_ = false;
    double height_ = 2.5;
    double widthFactor_ = 1.0;
    double rotation_ = 0.0;
    double oblique_ = 0.0;
    std::wstring text_;
    std::wstring styleName_; // as the file names it; empty: STANDARD
    int horizontalMode_ = 0;
    int verticalMode_ = 0;
};

class AcDbAttributeDefinition : public AcDbText {
public:
    AcDbAttributeDefinition();
    AcDbAttributeDefinition(const AcGePoint3d& position, const ACHAR* text, const ACHAR* tag,
                            const ACHAR* prompt, AcDbObjectId style = AcDbObjectId::kNull);
    static AcDbAttributeDefinition* cast(AcDbObject* o) {
        return dynamic_cast<AcDbAttributeDefinition*>(o);
    }
    ACHAR* tag() const;
    const ACHAR* tagConst() const;
    Acad::ErrorStatus setTag(const ACHAR* tag);
    ACHAR* prompt() const;
    const ACHAR* promptConst() const;
    Acad::ErrorStatus setPrompt(const ACHAR* prompt);
    bool isInvisible() const;
    Acad::ErrorStatus setInvisible(bool value);
    bool isConstant() const;
    Acad::ErrorStatus setConstant(bool value);
    bool isVerifiable() const;
    Acad::ErrorStatus setVerifiable(bool value);
    bool isPreset() const;
    Acad::ErrorStatus setPreset(bool value);

protected:
    void dxfInField(std::string_view subclass, int code, std::string_view value) override;
    void dxfOutFields(kestrel::dxf::TagEditor& tags) const override;
    void verticalModeTag(const char*& subclass, int& code, bool& lastMarker) const override;

private:
    std::wstring tag_;
    std::wstring prompt_;
    int flags_ = 0;
};

class AcDbAttribute : public AcDbText {
public:
    AcDbAttribute();
    AcDbAttribute(const AcGePoint3d& position, const ACHAR* text, const ACHAR* tag,
                  AcDbObjectId style = AcDbObjectId::kNull);
    static AcDbAttribute* cast(AcDbObject* o) { return dynamic_cast<AcDbAttribute*>(o); }
    ACHAR* tag() const;
    const ACHAR* tagConst() const;
    Acad::ErrorStatus setTag(const ACHAR* tag);
    bool isInvisible() const;
    Acad::ErrorStatus setInvisible(bool value);
    bool isConstant() const;
    // Takes tag, default value, style, height, alignment and flags from the definition, its
    // points carried by the block reference's transformation.
    Acad::ErrorStatus setAttributeFromBlock(const AcDbAttributeDefinition* definition,
                                            const AcGeMatrix3d& blockTransform);

protected:
    void dxfInField(std::string_view subclass, int code, std::string_view value) override;
    void dxfOutFields(kestrel::dxf::TagEditor& tags) const override;
    void verticalModeTag(const char*& subclass, int& code, bool& lastMarker) const override;

private:
    std::wstring tag_;
    int flags_ = 0;
};

class AcDbBlockReference : public AcDbEntity {
public:
    AcDbBlockReference();
    AcDbBlockReference(const AcGePoint3d& position, AcDbObjectId blockTableRecord);
    ~AcDbBlockReference() override;
    static AcDbBlockReference* cast(AcDbObject* o) { return dynamic_cast<AcDbBlockReference*>(o); }
    AcDbObjectId blockTableRecord() const;
    Acad::ErrorStatus setBlockTableRecord(AcDbObjectId id);
    AcGePoint3d position() const;
    Acad::ErrorStatus setPosition(const AcGePoint3d& point);
    AcGeScale3d scaleFactors() const;
    Acad::ErrorStatus setScaleFactors(const AcGeScale3d& scale);
    double rotation() const; // radians
    Acad::ErrorStatus setRotation(double angle);
    // Block coordinates to world: position, rotation, scale, less the block's base point.
    AcGeMatrix3d blockTransform() const;
    // Adds an attribute. Before the reference is in a database the reference keeps it; after,
    // the attribute is open for write and the caller closes it.
    Acad::ErrorStatus appendAttribute(AcDbAttribute* attribute);
    Acad::ErrorStatus appendAttribute(AcDbObjectId& id, AcDbAttribute* attribute);
    AcDbObjectIterator* attributeIterator() const;
    Acad::ErrorStatus getGeomExtents(AcDbExtents& extents) const override;

protected:
    void dxfInField(std::string_view subclass, int code, std::string_view value) override;
    void dxfOutFields(kestrel::dxf::TagEditor& tags) const override;

private:
    friend class kestrel::acad::DbStore;
    AcDbObjectId block_;
    double position_[3] = {0, 0, 0};
    AcGeScale3d scale_;
    double rotation_ = 0.0;
    std::vector<AcDbAttribute*> pendingAttributes_; // owned until the reference is added
};
