<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<!-- Albanian for the texts of Qt itself that a reader meets: context menus of the input boxes, the file and
     folder dialogs, the standard buttons. Compiled with lrelease when the program is built. -->
<TS version="2.1" language="sq">
<context>
    <name>QLineEdit</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Zhbëj</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Ribëj</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Prit</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopjo</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Ngjit</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Fshi</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Përzgjidh të gjitha</translation>
    </message>
</context>
<context>
    <name>QWidgetTextControl</name>
    <message>
        <source>&amp;Undo</source>
        <translation>&amp;Zhbëj</translation>
    </message>
    <message>
        <source>&amp;Redo</source>
        <translation>&amp;Ribëj</translation>
    </message>
    <message>
        <source>Cu&amp;t</source>
        <translation>&amp;Prit</translation>
    </message>
    <message>
        <source>&amp;Copy</source>
        <translation>&amp;Kopjo</translation>
    </message>
    <message>
        <source>Copy &amp;Link Location</source>
        <translation>Kopjo &amp;adresën e lidhjes</translation>
    </message>
    <message>
        <source>&amp;Paste</source>
        <translation>&amp;Ngjit</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Fshi</translation>
    </message>
    <message>
        <source>Select All</source>
        <translation>Përzgjidh të gjitha</translation>
    </message>
</context>
<context>
    <name>QAbstractSpinBox</name>
    <message>
        <source>&amp;Select All</source>
        <translation>&amp;Përzgjidh të gjitha</translation>
    </message>
    <message>
        <source>&amp;Step up</source>
        <translation>Rrit me një &amp;hap</translation>
    </message>
    <message>
        <source>Step &amp;down</source>
        <translation>Ul me një h&amp;ap</translation>
    </message>
</context>
<context>
    <name>QScrollBar</name>
    <message>
        <source>Scroll here</source>
        <translation>Rrëshqit këtu</translation>
    </message>
    <message>
        <source>Left edge</source>
        <translation>Skaji i majtë</translation>
    </message>
    <message>
        <source>Top</source>
        <translation>Në krye</translation>
    </message>
    <message>
        <source>Right edge</source>
        <translation>Skaji i djathtë</translation>
    </message>
    <message>
        <source>Bottom</source>
        <translation>Në fund</translation>
    </message>
    <message>
        <source>Page left</source>
        <translation>Një faqe majtas</translation>
    </message>
    <message>
        <source>Page up</source>
        <translation>Një faqe lart</translation>
    </message>
    <message>
        <source>Page right</source>
        <translation>Një faqe djathtas</translation>
    </message>
    <message>
        <source>Page down</source>
        <translation>Një faqe poshtë</translation>
    </message>
    <message>
        <source>Scroll left</source>
        <translation>Rrëshqit majtas</translation>
    </message>
    <message>
        <source>Scroll up</source>
        <translation>Rrëshqit lart</translation>
    </message>
    <message>
        <source>Scroll right</source>
        <translation>Rrëshqit djathtas</translation>
    </message>
    <message>
        <source>Scroll down</source>
        <translation>Rrëshqit poshtë</translation>
    </message>
</context>
<context>
    <name>QTabBar</name>
    <message>
        <source>Scroll Left</source>
        <translation>Rrëshqit majtas</translation>
    </message>
    <message>
        <source>Scroll Right</source>
        <translation>Rrëshqit djathtas</translation>
    </message>
</context>
<context>
    <name>QPlatformTheme</name>
    <message>
        <source>OK</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anulo</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Hap</translation>
    </message>
    <message>
        <source>Save</source>
        <translation>Ruaj</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Mbyll</translation>
    </message>
    <message>
        <source>Apply</source>
        <translation>Zbato</translation>
    </message>
    <message>
        <source>Help</source>
        <translation>Ndihmë</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Po</translation>
    </message>
    <message>
        <source>&amp;Yes</source>
        <translation>&amp;Po</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Jo</translation>
    </message>
    <message>
        <source>&amp;No</source>
        <translation>&amp;Jo</translation>
    </message>
    <message>
        <source>Reset</source>
        <translation>Rivendos</translation>
    </message>
</context>
<context>
    <name>QInputDialog</name>
    <message>
        <source>Enter a value:</source>
        <translation>Shkruani një vlerë:</translation>
    </message>
</context>
<context>
    <name>QGuiApplication</name>
    <message>
        <source>QT_LAYOUT_DIRECTION</source>
        <translation>LTR</translation>
    </message>
</context>
<context>
    <name>QAbstractFileIconProvider</name>
    <message>
        <source>Drive</source>
        <translation>Disk</translation>
    </message>
    <message>
        <source>Folder</source>
        <translation>Dosje</translation>
    </message>
    <message>
        <source>File</source>
        <translation>Skedar</translation>
    </message>
    <message>
        <source>File Folder</source>
        <translation>Dosje skedarësh</translation>
    </message>
</context>
<context>
    <name>QFileSystemModel</name>
    <message>
        <source>Name</source>
        <translation>Emri</translation>
    </message>
    <message>
        <source>Size</source>
        <translation>Madhësia</translation>
    </message>
    <message>
        <source>Type</source>
        <translation>Lloji</translation>
    </message>
    <message>
        <source>Kind</source>
        <translation>Lloji</translation>
    </message>
    <message>
        <source>Date Modified</source>
        <translation>Ndryshuar më</translation>
    </message>
    <message>
        <source>Computer</source>
        <translation>Kompjuteri</translation>
    </message>
    <message>
        <source>My Computer</source>
        <translation>Kompjuteri im</translation>
    </message>
    <message>
        <source>%1 TB</source>
        <translation>%1 TB</translation>
    </message>
    <message>
        <source>%1 GB</source>
        <translation>%1 GB</translation>
    </message>
    <message>
        <source>%1 MB</source>
        <translation>%1 MB</translation>
    </message>
    <message>
        <source>%1 KB</source>
        <translation>%1 KB</translation>
    </message>
    <message>
        <source>%1 bytes</source>
        <translation>%1 bajt</translation>
    </message>
    <message>
        <source>Unknown</source>
        <translation>E panjohur</translation>
    </message>
</context>
<context>
    <name>QFileDialog</name>
    <message>
        <source>&amp;Choose</source>
        <translation>&amp;Zgjidh</translation>
    </message>
    <message>
        <source>&amp;Delete</source>
        <translation>&amp;Fshi</translation>
    </message>
    <message>
        <source>&amp;New Folder</source>
        <translation>Dosje e &amp;re</translation>
    </message>
    <message>
        <source>&amp;Open</source>
        <translation>&amp;Hap</translation>
    </message>
    <message>
        <source>&amp;Rename</source>
        <translation>&amp;Riemërto</translation>
    </message>
    <message>
        <source>All Files (*)</source>
        <translation>Të gjithë skedarët (*)</translation>
    </message>
    <message>
        <source>Alt+Left</source>
        <translation>Alt+Left</translation>
    </message>
    <message>
        <source>Alt+Right</source>
        <translation>Alt+Right</translation>
    </message>
    <message>
        <source>Alt+Up</source>
        <translation>Alt+Up</translation>
    </message>
    <message>
        <source>Back</source>
        <translation>Prapa</translation>
    </message>
    <message>
        <source>Change to detail view mode</source>
        <translation>Kalo te pamja me hollësi</translation>
    </message>
    <message>
        <source>Change to list view mode</source>
        <translation>Kalo te pamja listë</translation>
    </message>
    <message>
        <source>Create New Folder</source>
        <translation>Krijo një dosje të re</translation>
    </message>
    <message>
        <source>Create a New Folder</source>
        <translation>Krijo një dosje të re</translation>
    </message>
    <message>
        <source>Detail View</source>
        <translation>Pamja me hollësi</translation>
    </message>
    <message>
        <source>Directories</source>
        <translation>Dosjet</translation>
    </message>
    <message>
        <source>Directory:</source>
        <translation>Dosja:</translation>
    </message>
    <message>
        <source>File &amp;name:</source>
        <translation>&amp;Emri i skedarit:</translation>
    </message>
    <message>
        <source>Files</source>
        <translation>Skedarët</translation>
    </message>
    <message>
        <source>Files of type:</source>
        <translation>Lloji i skedarëve:</translation>
    </message>
    <message>
        <source>Forward</source>
        <translation>Përpara</translation>
    </message>
    <message>
        <source>Go back</source>
        <translation>Kthehu prapa</translation>
    </message>
    <message>
        <source>Go forward</source>
        <translation>Shko përpara</translation>
    </message>
    <message>
        <source>Go to the parent directory</source>
        <translation>Shko te dosja që e përmban</translation>
    </message>
    <message>
        <source>List View</source>
        <translation>Pamja listë</translation>
    </message>
    <message>
        <source>List of places and bookmarks</source>
        <translation>Vendet dhe shënjuesit</translation>
    </message>
    <message>
        <source>Look in:</source>
        <translation>Shiko në:</translation>
    </message>
    <message>
        <source>Parent Directory</source>
        <translation>Dosja që e përmban</translation>
    </message>
    <message>
        <source>Show </source>
        <translation>Shfaq </translation>
    </message>
    <message>
        <source>Show &amp;hidden files</source>
        <translation>Shfaq skedarët e &amp;fshehur</translation>
    </message>
    <message>
        <source>Sidebar</source>
        <translation>Shiriti anësor</translation>
    </message>
    <message>
        <source>New Folder</source>
        <translation>Dosje e re</translation>
    </message>
    <message>
        <source>Recent Places</source>
        <translation>Vendet e fundit</translation>
    </message>
    <message>
        <source>Open</source>
        <translation>Hap</translation>
    </message>
    <message>
        <source>Find Directory</source>
        <translation>Gjej dosjen</translation>
    </message>
    <message>
        <source>Are you sure you want to delete '%1'?</source>
        <translation>Jeni të sigurt që doni ta fshini „%1”?</translation>
    </message>
    <message>
        <source>Could not delete directory.</source>
        <translation>Dosja nuk mund të fshihej.</translation>
    </message>
    <message>
        <source>'%1' is write protected.
Do you want to delete it anyway?</source>
        <translation>„%1” është i mbrojtur nga shkrimi.
Ta fshij gjithsesi?</translation>
    </message>
    <message>
        <source>%1
Directory not found.
Please verify the correct directory name was given.</source>
        <translation>%1
Dosja nuk u gjet.
Shihni që emri i dosjes të jetë i saktë.</translation>
    </message>
    <message>
        <source>%1
File not found.
Please verify the correct file name was given.</source>
        <translation>%1
Skedari nuk u gjet.
Shihni që emri i skedarit të jetë i saktë.</translation>
    </message>
    <message>
        <source>%1 already exists.
Do you want to replace it?</source>
        <translation>%1 ekziston.
Ta zëvendësoj?</translation>
    </message>
</context>
</TS>
