Longest
Length:
64
Time:
32



Channel:1
Channel:2
Channel:3
Channel:4
Channel:5
Channel:6
1:0*






2:1






3:2






4:3






5:4






6:5






7:6






8:7






9:8






10:9






11:10






12:11






13:12






14:13






15:14






16:15






17:16






18:17






19:18






20:19






21:20






22:21






23:22






24:23






25:24






26:25






27:26






28:27






29:28






30:29






31:30






32:31






33:0*






34:1






35:2






36:3






37:4






38:5






39:6






40:7






41:8






42:9






43:10






44:11






45:12






46:13






47:14






48:15






49:16






50:17






51:18






52:19






53:20






54:21






55:22






56:23






57:24






58:25






59:26






60:27






61:28






62:29






63:30






64:31





Tamb      [9]
65:0*






140
7
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
