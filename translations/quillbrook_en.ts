<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="en" sourcelanguage="en">
<context>
    <name>ErrorText</name>
    <message numerus="yes">
        <source>%1 and %n more</source>
        <comment>names, then how many are not listed</comment>
        <translation>
            <numerusform>%1 and %n more</numerusform>
            <numerusform>%1 and %n more</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>qb::FileActionMenu</name>
    <message numerus="yes">
        <source>New Folder with Selection (%Ln Item(s))…</source>
        <translation>
            <numerusform>New Folder with Selection (%Ln Item)…</numerusform>
            <numerusform>New Folder with Selection (%Ln Items)…</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Compress %Ln Item(s)</source>
        <translation>
            <numerusform>Compress %Ln Item</numerusform>
            <numerusform>Compress %Ln Items</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>qb::FileInfoView</name>
    <message numerus="yes">
        <source>Info for %Ln Item(s)</source>
        <translation>
            <numerusform>Info for %Ln Item</numerusform>
            <numerusform>Info for %Ln Items</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>qb::RenameMatchesDialog</name>
    <message numerus="yes">
        <source>Rename %Ln Item(s)</source>
        <translation>
            <numerusform>Rename %Ln Item</numerusform>
            <numerusform>Rename %Ln Items</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>qb::ResultsTableModel</name>
    <message numerus="yes">
        <source>%Ln byte(s)</source>
        <comment>size</comment>
        <translation>
            <numerusform>%Ln byte</numerusform>
            <numerusform>%Ln bytes</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>qb::SearchModel</name>
    <message numerus="yes">
        <source>Choose a destination for %n selected items. Existing items won’t be replaced.</source>
        <translation>
            <numerusform>Choose a destination for %n selected item. Existing items won’t be replaced.</numerusform>
            <numerusform>Choose a destination for %n selected items. Existing items won’t be replaced.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>Create a folder in %1 and move %n selected items into it.</source>
        <translation>
            <numerusform>Create a folder in %1 and move %n selected item into it.</numerusform>
            <numerusform>Create a folder in %1 and move %n selected items into it.</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>qb::SkippedSheet</name>
    <message numerus="yes">
        <source>%Ln folder(s) couldn’t be read</source>
        <translation>
            <numerusform>%Ln folder couldn’t be read</numerusform>
            <numerusform>%Ln folders couldn’t be read</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln name(s) took the pattern too long</source>
        <translation>
            <numerusform>%Ln name took the pattern too long</numerusform>
            <numerusform>%Ln names took the pattern too long</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln item(s) went away during the search</source>
        <translation>
            <numerusform>%Ln item went away during the search</numerusform>
            <numerusform>%Ln items went away during the search</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>and %Ln more</source>
        <translation>
            <numerusform>and %Ln more</numerusform>
            <numerusform>and %Ln more</numerusform>
        </translation>
    </message>
</context>
<context>
    <name>qb::StatusBar</name>
    <message numerus="yes">
        <source>%1 of %Ln match(es)</source>
        <translation>
            <numerusform>%1 of %Ln match</numerusform>
            <numerusform>%1 of %Ln matches</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln match(es)</source>
        <translation>
            <numerusform>%Ln match</numerusform>
            <numerusform>%Ln matches</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%1 · %Ln item(s) searched</source>
        <translation>
            <numerusform>%1 · %Ln item searched</numerusform>
            <numerusform>%1 · %Ln items searched</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln item(s) skipped because they couldn’t be read or the pattern took too long.</source>
        <translation>
            <numerusform>%Ln item skipped because it couldn’t be read or the pattern took too long.</numerusform>
            <numerusform>%Ln items skipped because they couldn’t be read or the pattern took too long.</numerusform>
        </translation>
    </message>
    <message numerus="yes">
        <source>%Ln selected</source>
        <translation>
            <numerusform>%Ln selected</numerusform>
            <numerusform>%Ln selected</numerusform>
        </translation>
    </message>
</context>
</TS>
