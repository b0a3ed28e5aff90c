#!/usr/bin/env python3
"""Writes the four ribbon markup files of the add-in: UTF-8 with a byte-order mark and CR LF
line ends. The 2007 markup holds the plain crop control; the later ones the split crop button.
Run from this folder after changing the markup below."""

STD = ('getLabel="Callback_getLabel" onAction="Callback_Button_onAction" '
       'getScreentip="Callback_getScreentip" getSupertip="Callback_getSupertip"')


def button(id_, keytip, show_label="false", size=None):
    size_attr = f' size="{size}"' if size else ''
    return (f'<button id="{id_}" image="{id_}" showLabel="{show_label}"{size_attr} {STD} '
            f'keytip="{keytip}"/>')


def markup(crop):
    p = 'TORVA_PICROW_TAB_'
    lines = [
        '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>',
        '<customUI xmlns="http://schemas.microsoft.com/office/2006/01/customui" '
        'xmlns:torva="TORVA_PICROW_NameSpace_CustomRibbonxX2" '
        'onLoad="Callback_onLoad" loadImage="Callback_loadImage">',
        '  <commands>',
        '    <command idMso="PictureInsertFromFile" '
        'onAction="Call_PictureInsertFromFile_onAction"/>',
        '  </commands>',
        '  <ribbon startFromScratch="false">',
        '    <tabs>',
        '      <tab idMso="TabAddIns">',
        f'        <group id="{p}MAIN" getLabel="Callback_getLabel" keytip="M">',
        '          ' + button(p + 'MAIN_GET', 'G', 'true', 'large'),
        f'          <menu id="{p}MAIN_TOOL" image="{p}MAIN_TOOL" size="large" itemSize="normal" '
        'getLabel="Callback_getLabel" getScreentip="Callback_getScreentip" '
        'getSupertip="Callback_getSupertip" keytip="O">',
        '            ' + button(p + 'MAIN_TOOL_SAVEPIC', 'S'),
        f'            <menuSeparator id="{p}MAIN_TOOL_SEP_1"/>',
        '            ' + button(p + 'MAIN_TOOL_TEMPLATEMENU_LOAD', 'L'),
        '            ' + button(p + 'MAIN_TOOL_TEMPLATEMENU_SAVE', 'S'),
        f'            <menuSeparator id="{p}MAIN_TOOL_SEP_2"/>',
        '            ' + button(p + 'MAIN_TOOL_RETRIMMING', 'R'),
        f'            <menuSeparator id="{p}MAIN_TOOL_SEP_3"/>',
        '            ' + button(p + 'MAIN_TOOL_RESMALL', 'M'),
        '          </menu>',
        f'          <box id="{p}MAIN_BOX" boxStyle="vertical">',
        '            ' + button(p + 'MAIN_HOMEPAGE', 'D'),
        '            ' + button(p + 'MAIN_HELP', 'H'),
        '            ' + button(p + 'MAIN_ABOUT', 'V'),
        '          </box>',
        '          <dialogBoxLauncher>',
        f'            <button id="{p}MAIN_SETTING" onAction="Callback_Button_onAction" '
        'getScreentip="Callback_getScreentip" getSupertip="Callback_getSupertip"/>',
        '          </dialogBoxLauncher>',
        '        </group>',
        '      </tab>',
        '    </tabs>',
        '    <contextualTabs>',
        '      <tabSet idMso="TabSetPictureTools">',
        '        <tab idMso="TabPictureToolsFormat">',
        '          <group idMso="GroupPictureSize" getVisible="Callback_getVisible"/>',
        f'          <group id="{p}PICTURETOOLSFORMAT_GROUPPICTURESIZE" '
        'insertAfterMso="GroupPictureSize" getLabel="Callback_getLabel" '
        'getVisible="Callback_getVisible">',
        '            ' + crop,
        '            ' + button(p + 'MAIN_TOOL_RETRIMMING_2', 'R', 'true', 'large'),
        f'            <box id="{p}PICTURETOOLSFORMAT_GROUPPICTURESIZE_BOX" boxStyle="vertical">',
        '              <control idMso="ShapeHeight" size="normal"/>',
        '              <control idMso="ShapeWidth" size="normal"/>',
        '            </box>',
        '            <dialogBoxLauncher>',
        '              <button idMso="ObjectSizeAndPropertiesDialog"/>',
        '            </dialogBoxLauncher>',
        '          </group>',
        '        </tab>',
        '      </tabSet>',
        '    </contextualTabs>',
        '  </ribbon>',
        '</customUI>',
    ]
    return ('\ufeff' + '\r\n'.join(lines) + '\r\n').encode('utf-8')


def main():
    plain = markup('<control idMso="PictureCrop" size="large"/>')
    split = markup('<splitButton idMso="PictureCropTools" size="large"/>')
    for name, data in (('CUSTOMUI2007', plain), ('CUSTOMUI2010', split),
                       ('CUSTOMUI2013', split), ('CUSTOMUI2016', split)):
        with open(name + '.xml', 'wb') as out:
            out.write(data)


if __name__ == '__main__':
    main()
