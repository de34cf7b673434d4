Groove
Length:
16
Time:
4



Channel:1
Channel:2
Channel:3
Channel:4
Channel:5
Channel:6
1:0*

ClsHiat   [2]




2:1


ClsHiat   [3]



3:2



ClsHiat   [4]


4:3




Sample1

5:0*





ClsHiat   [6]
6:1
ClsHiat   [7]





7:2

ClsHiat   [8]




8:3


Sample1



9:0*



ClsHiat   [1]


10:1




ClsHiat   [2]

11:2





ClsHiat   [3]
12:3
Sample1





13:0*

ClsHiat   [5]




14:1


ClsHiat   [6]



15:2



ClsHiat   [7]


16:3




Sample1








64
1
/home/me/samples/clap.wav
22050
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
C:\Samples\vox.wav
11025
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
Blank.wav
44100
